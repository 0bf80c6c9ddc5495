#!/usr/bin/env bash
# Every example and every model of the corpus (tests/models/, tests/corpus/ and the example models GLPK
# ships, where they are installed) reaches, by another method, the end and the objective the big-M method
# reaches, in both arithmetics and with both rules (a double objective to 1e-9 of its size), and the same
# sensitivity analysis at an optimum with only one optimal basis; a method that
# refuses a problem says so by its exit status. A double run of the big-M method that ends short of an
# optimum is not held against the other method: rounding takes another path there.
#   tests/methods_agree.sh QTB-SOLVE SOURCE-DIR METHOD [REFUSAL-STATUS]
set -euo pipefail
# The interpreter itself, not a version manager's shim in front of it: the checks below start it for every run.
python=$(python3 -c 'import sys; print(sys.executable)')
solver=$(realpath "$1")
examples=$2/examples
method=$3
refusal=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
glpk_examples=/usr/share/doc/glpk-utils/examples
problems=()
for problem in "$examples"/*.qtb "$examples"/models/* "$2"/tests/models/* "$2"/tests/corpus/*.{lp,mps,mod} \
    "$glpk_examples"/*.{lp,mps}; do
    [[ -f $problem ]] && problems+=("$(realpath "$problem")")
done
cd "$work"  # the reports of problem files go here, if any

# The end and the objective of a run, or "refused" / "failed" with the exit status.
outcome() {
    local status=0 out
    out=$("$solver" --tables none --json --sensitivity --integer relax "$@" 2>/dev/null) || status=$?
    if [[ -n $refusal && $status == "$refusal" ]]; then echo refused; return; fi
    # The analysis too, at an optimum whose basis is the only one (not degenerate, no other optimum),
    # its numbers to 9 digits.
    "$python" -c 'import json, sys
r = json.loads(sys.argv[1])
def rounded(x):
    if isinstance(x, (int, float)) and not isinstance(x, bool): return float("%.9g" % x)
    if isinstance(x, list): return [rounded(v) for v in x]
    if isinstance(x, dict): return {k: rounded(v) for k, v in x.items()}
    return x
unique = r.get("end") == "optimal" and not r.get("degenerate") and not r.get("alternative_optima")
analysis = json.dumps(rounded(r.get("sensitivity")), sort_keys=True).replace(" ", "") if unique else "-"
print(r.get("end"), r.get("objective"), r.get("codes"), analysis)' "$out"
}

# Whether two outcomes are the same: the ends and codes alike, the objectives within 1e-9 of their size.
agree() {
    "$python" -c 'import sys
a, b = sys.argv[1].split(" ", 3), sys.argv[2].split(" ", 3)  # end, objective, codes, analysis
def close(x, y):
    try:
        x, y = float(x), float(y)
    except ValueError:
        return x == y
    return abs(x - y) <= 1e-9 * max(1.0, abs(x), abs(y))
# An analysis is compared when both runs end at the only optimal basis (another may find a degenerate one).
same_analysis = a[3] == b[3] or "-" in (a[3], b[3])
sys.exit(0 if a[0] == b[0] and a[2] == b[2] and close(a[1], b[1]) and same_analysis else 1)' "$1" "$2"
}

failed=0 agreed=0 refused=0
for problem in "${problems[@]}"; do
    for arithmetic in double exact; do
        for rule in dantzig bland; do
            settings=(--arithmetic "$arithmetic" --rule "$rule")
            expected=$(outcome "${settings[@]}" "$problem")
            got=$(outcome "${settings[@]}" --method "$method" "$problem")
            if [[ $got == refused ]]; then
                refused=$((refused + 1))
            elif agree "$expected" "$got"; then
                agreed=$((agreed + 1))
            elif [[ $arithmetic == double && $expected != optimal* ]]; then
                echo "${problem##*/} ${settings[*]}: big-m $expected, $method $got (not held against it)"
            else
                echo "${problem##*/} ${settings[*]}: big-m $expected, $method $got"
                failed=1
            fi
        done
    done
done
echo "$method: $agreed runs agree with big-m, $refused refused"
exit $failed
