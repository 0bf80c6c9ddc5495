#!/usr/bin/env bash
# The notes of an optimum are facts: on every model of examples/models/, tests/models/ and tests/corpus/
# the double arithmetic's "degenerate", "alternative_optima", "alternative_columns" and "unique" are
# the exact arithmetic's; so on the example models GLPK ships (glpk-utils), where they are installed.
#   tests/notes_match_exact.sh QTB-SOLVE SOURCE-DIR
set -euo pipefail
# The interpreter itself, not a version manager's shim in front of it: the checks below start it for every run.
python=$(python3 -c 'import sys; print(sys.executable)')
solver=$(realpath "$1")
failed=0
checked=0
glpk_examples=/usr/share/doc/glpk-utils/examples
for model in "$2"/examples/models/* "$2"/tests/models/* "$2"/tests/corpus/*.{lp,mps,mod} "$glpk_examples"/*.{lp,mps}; do
    [[ -f $model ]] || continue
    notes() {
        # A run that reaches no optimum (exit status 2 or 3) still prints the JSON to compare.
        { "$solver" --tables none --json --sensitivity --arithmetic "$1" "$model" || true; } | "$python" -c '
import json, sys
r = json.load(sys.stdin)
s = r.get("sensitivity") or {}
print(r.get("end"), r["alternative_optima"] if "alternative_optima" in r else None,
      r.get("alternative_columns"), r.get("degenerate"), s.get("unique"))'
    }
    double=$(notes double) exact=$(notes exact)
    if [[ $double == "$exact" ]]; then
        checked=$((checked + 1))
    else
        echo "${model##*/}: double $double, exact $exact"
        failed=1
    fi
done
echo "$checked models: the notes of both arithmetics agree"
exit $failed
