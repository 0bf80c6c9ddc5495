#!/usr/bin/env bash
# Every integer model of tests/integer_models/ and of GLPK's examples that fits the canonical form's
# limits reaches glpsol's integer optimum with --integer branch (within the node limit), and its
# relaxation (glpsol --nomip) with --integer relax.
#   tests/integer_matches_glpsol.sh QTB-SOLVE SOURCE-DIR [EXAMPLES-DIR]   (exit 77: skipped, no glpsol)
set -uo pipefail
# The interpreter itself, not a version manager's shim in front of it: the checks below start it for every run.
python=$(python3 -c 'import sys; print(sys.executable)')
solver=$(realpath "$1")
examples=${3:-/usr/share/doc/glpk-utils/examples}
command -v glpsol >/dev/null || { echo "glpsol not installed (glpk-utils): skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2"/tests/integer_models/* "$work"/
[[ -d $examples ]] && cp "$examples"/*.mod "$examples"/*.lp "$examples"/*.dat "$work"/ 2>/dev/null
cd "$work" || exit 1

# glpsol's objective of the model (with --nomip: of its relaxation), or nothing when it reports no optimum.
glpsol_optimum() {
    local file=$1 mip=$2 format=--lp
    [[ $file == *.mod ]] && format=--math
    timeout 30 glpsol "$format" "$file" $mip -o glpsol.out >/dev/null 2>&1 || return 0
    grep -q '^Status: *\(INTEGER \)\?OPTIMAL' glpsol.out || return 0
    sed -n 's/^Objective: *[^=]*= *\([^ ]*\).*/\1/p' glpsol.out
}

# The node limit: the default, or fewer where CI runs the script under sanitizers at -O0 (QTB_INTEGER_NODES),
# where the runs that reach the limit take minutes and check no more than their first nodes do.
nodes=${QTB_INTEGER_NODES:-1000}

# qtb-solve's objective, "skip" for a model too large for the canonical form or without integer columns.
# "slow" for a run past 120 s.
qtb_optimum() {
    local json status=0
    json=$(timeout 120 "$solver" --tables none --json --integer "$2" --nodes "$nodes" "$1" 2>/dev/null) || status=$?
    if ((status == 124)); then
        echo slow
        return
    fi
    printf '%s' "$json" | "$python" -c '
import json, sys
r = json.loads(sys.stdin.read() or "{}")
if r.get("node_limit_reached"):
    print("limit")
elif r.get("ok"):
    print(r["objective"] if sys.argv[1] != "branch" or "nodes" in r else "skip")
elif r.get("stage") == "read":
    print("skip")
else:
    print("failed:", (r.get("messages") or [""])[0])' "$2"
}

failed=0
checked=0
limited=0
for model in *.lp *.mod; do
    # qtb-solve first: glpsol is not asked about a model qtb-solve does not take (some take it long).
    got=$(qtb_optimum "$model" branch)
    [[ $got == skip ]] && continue
    integer=$(glpsol_optimum "$model" "")
    [[ -z $integer ]] && continue
    for method in branch relax; do
        expected=$integer
        if [[ $method == relax ]]; then
            expected=$(glpsol_optimum "$model" --nomip)
            got=$(qtb_optimum "$model" relax)
        fi
        [[ $got == skip || -z $expected ]] && continue 2
        if [[ $got == limit || $got == slow ]]; then  # the limit is said plainly by the run (exit status 7)
            echo "$model --integer $method: $([[ $got == limit ]] && echo "node limit reached" || echo "over 120 s here")"
            limited=$((limited + 1))
            continue
        fi
        if "$python" -c "import sys; g, e = sys.argv[1], float(sys.argv[2]); sys.exit(0 if not g.startswith('failed') and abs(float(g) - e) <= 1e-6 * max(1, abs(e)) else 1)" "$got" "$expected"; then
            checked=$((checked + 1))
        else
            echo "$model --integer $method: qtb-solve $got, glpsol $expected"
            failed=1
        fi
    done
done
echo "$checked runs match glpsol, $limited reached the node limit"
exit $failed
