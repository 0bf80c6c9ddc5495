#!/usr/bin/env bash
# Every model in examples/models/ reaches, in qtb-solve, the optimum that glpsol reports for it
# (an MPS model is checked against the LP file of the same name, since glpsol refuses OBJSENSE).
#   tests/models_match_glpsol.sh QTB-SOLVE SOURCE-DIR        (exit 77: skipped, no glpsol)
set -euo pipefail
# The interpreter itself, not a version manager's shim in front of it: the checks below start it for every run.
python=$(python3 -c 'import sys; print(sys.executable)')
solver=$(realpath "$1")
models=$2/examples/models
command -v glpsol >/dev/null || { echo "glpsol not installed (glpk-utils): skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$models"/* "$work"/
cd "$work"

glpsol_optimum() {
    local file=$1 format
    case $file in
        *.lp) format=--lp ;;
        *.mod) format=--math ;;
        *) echo "no glpsol format for $file" >&2; return 1 ;;
    esac
    glpsol "$format" "$file" -o glpsol.out >/dev/null
    sed -n 's/^Objective: *[^=]*= *\([^ ]*\).*/\1/p' glpsol.out
}

failed=0
checked=0
for model in *.lp *.mps *.mod; do
    reference=$model
    [[ $model == *.mps ]] && reference=${model%.mps}.lp
    expected=$(glpsol_optimum "$reference")
    # Beale's example cycles under the default rule (exit status 3): it is checked with Bland's.
    rule=dantzig
    [[ $model == beale.* ]] && rule=bland
    got=$("$solver" --tables none --json --rule "$rule" "$model" |
        "$python" -c 'import json, sys; r = json.load(sys.stdin); print(r["objective"] if r["ok"] else "failed")')
    if "$python" -c "import sys; g, e = sys.argv[1], float(sys.argv[2]); sys.exit(0 if g != 'failed' and abs(float(g) - e) <= 1e-6 * max(1, abs(e)) else 1)" "$got" "$expected"; then
        checked=$((checked + 1))
    else
        echo "$model: qtb-solve $got, glpsol $expected"
        failed=1
    fi
done
echo "$checked models match glpsol"
exit $failed
