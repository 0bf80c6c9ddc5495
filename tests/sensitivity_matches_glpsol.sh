#!/usr/bin/env bash
# The dual values of the rows and the reduced costs of the variables that qtb-solve --sensitivity
# gives for every LP and MathProg model in examples/models/ and tests/models/, in both arithmetics, are glpsol's
# "Marginal" columns (a basic row or column, with no marginal printed, counts as 0); at an optimum that
# is unique both ways (neither degenerate nor with other optima) also the ranges of glpsol --ranges: the
# right-hand-side range of every active row and the cost range of every variable.
#   tests/sensitivity_matches_glpsol.sh QTB-SOLVE SOURCE-DIR        (exit 77: skipped, no glpsol)
set -euo pipefail
# The interpreter itself, not a version manager's shim in front of it: the checks below start it for every run.
python=$(python3 -c 'import sys; print(sys.executable)')
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
    glpsol "$format" "$model" -o glpsol.out --ranges glpsol.rng >/dev/null
    # Beale's example cycles under the default rule (exit status 3): it is checked with Bland's.
    rule=dantzig
    [[ $model == beale.* ]] && rule=bland
    for arithmetic in double exact; do
        "$solver" --tables none --json --sensitivity --integer relax --arithmetic "$arithmetic" --rule "$rule" "$model" >qtb.json
        "$python" - "$model/$arithmetic" glpsol.out qtb.json glpsol.rng <<'PY' || failed=1
import json, sys
from fractions import Fraction

label, glpsol_out, qtb_json, glpsol_rng = sys.argv[1:]

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
# glpsol's ranges, two lines an entry: (status, activity range, cost range) by name.
def ranges(lines):
    number = lambda t: 0.0 if t == "." else float(t.replace("Inf", "inf"))
    table, kind, first = {"row": {}, "column": {}}, None, None
    for line in lines:
        if line.lstrip().startswith("No."):
            kind = "row" if "Row name" in line else "column"
        elif kind and line[:6].strip().isdigit():
            first = line.split()  # a long name stands alone, its figures on the next line
        elif kind and first and len(first) == 2 and line.strip():
            first += line.split()
        elif kind and first and line.strip():
            second = line.split()
            table[kind][first[1]] = (first[2], (number(first[6]), number(second[2])),
                                     (number(first[7]), number(second[3])))
            first = None
    return table

whole = json.load(open(qtb_json))
if report["unique"] and not whole["alternative_optima"]:
    glpsol_ranges = ranges(open(glpsol_rng).read().splitlines())
    near = lambda a, b: (a is None and abs(b) == float("inf")) or (
        a is not None and abs(float(Fraction(a)) - b) <= 1e-5 * max(1.0, abs(b)))
    for row in report["rows"]:
        status, activity, _ = glpsol_ranges["row"].get(row["name"], ("BS", None, None))
        if status != "BS" and not all(near(a, b) for a, b in zip(row["rhs_range"], activity)):
            bad.append(f"row {row['name']}: range {row['rhs_range']}, glpsol {activity}")
    for variable in report["variables"]:
        _, _, cost = glpsol_ranges["column"][variable["name"]]
        if not all(near(a, b) for a, b in zip(variable["cost_range"], cost)):
            bad.append(f"column {variable['name']}: cost range {variable['cost_range']}, glpsol {cost}")
for line in bad:
    print(f"{label}: {line}")
sys.exit(1 if bad else 0)
PY
    done
done
[[ $failed == 0 ]] && echo "dual values, reduced costs and ranges match glpsol"
exit $failed
