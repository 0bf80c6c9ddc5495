#!/usr/bin/env bash
# The dual values of the rows and the reduced costs of the variables that qtb-solve --sensitivity
# gives for every LP and MathProg model in examples/models/ and tests/models/, in both arithmetics, are glpsol's
# "Marginal" columns (a basic row or column, with no marginal printed, counts as 0).
#   tests/sensitivity_matches_glpsol.sh QTB-SOLVE SOURCE-DIR        (exit 77: skipped, no glpsol)
set -euo pipefail
solver=$(realpath "$1")
command -v glpsol >/dev/null || { echo "glpsol not installed (glpk-utils): skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2"/examples/models/* "$2"/tests/models/* "$work"/
cd "$work"

failed=0
for model in *.lp *.mod; do
    case $model in *.lp) format=--lp ;; *) format=--math ;; esac
    # glpsol's solution goes to a file of its own: as root it would replace /dev/null.
    glpsol "$format" "$model" -o glpsol.out >/dev/null
    # Beale's example cycles under the default rule (exit status 3): it is checked with Bland's.
    rule=dantzig
    [[ $model == beale.* ]] && rule=bland
    for arithmetic in double exact; do
        "$solver" --tables none --json --sensitivity --arithmetic "$arithmetic" --rule "$rule" "$model" >qtb.json
        python3 - "$model/$arithmetic" glpsol.out qtb.json <<'PY' || failed=1
import json, sys
from fractions import Fraction

label, glpsol_out, qtb_json = sys.argv[1:]

# The two tables of glpsol's solution: name -> marginal, at fixed columns; a long
# name stands on a line of its own, its figures on the next.
def marginals(lines, heading):
    table, inside, name = {}, False, None
    for line in lines:
        if line.lstrip().startswith("No.") and heading in line:
            inside = True
            continue
        if not inside or line.startswith("------"):
            continue
        if not line.strip():
            break
        if line[:6].strip():
            name = line[7:].split()[0]
            if len(line.rstrip()) <= 20:
                continue
        text = line[65:].strip()
        table[name] = 0.0 if text in ("", "< eps") else float(text)
    return table

lines = open(glpsol_out).read().splitlines()
expected = {"row": marginals(lines, "Row name"), "column": marginals(lines, "Column name")}
report = json.load(open(qtb_json))["sensitivity"]
got = {"row": {r["name"]: r["dual"] for r in report["rows"]},
       "column": {v["name"]: v["reduced_cost"] for v in report["variables"]}}
bad = [] if expected["row"] and expected["column"] else ["glpsol's tables not found"]
for kind in ("row", "column"):
    for name, marginal in expected[kind].items():
        # Free rows (the objective among them) are dropped from the canonical form: no dual.
        value = got[kind].get(name, 0 if kind == "row" and marginal == 0 else None)
        if value is None or abs(float(Fraction(value)) - marginal) > 1e-5 * max(1.0, abs(marginal)):
            bad.append(f"{kind} {name}: qtb-solve {value}, glpsol {marginal}")
for line in bad:
    print(f"{label}: {line}")
sys.exit(1 if bad else 0)
PY
    done
done
[[ $failed == 0 ]] && echo "dual values and reduced costs match glpsol"
exit $failed
