#!/usr/bin/env bash
# The dual that --write-dual writes for each model with an optimum (the example models, those of tests/models/
# and tests/corpus/, and the example models GLPK ships where they are installed) reaches the model's own
# optimum (to 1e-9 relative) in glpsol and in qtb-solve: the duality theorem, and the LP file read back.
#   tests/cli/dual_against_glpsol.sh QTB-SOLVE SOURCE-DIR        (exit 77: skipped, no glpsol)
set -euo pipefail
solver=$(realpath "$1")
command -v glpsol >/dev/null || { echo "glpsol not installed (glpk-utils): skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2"/examples/models/* "$work"/
# The corpus's models under names of their own: a folder's name before each.
for model in "$2"/tests/models/*.{lp,mps} "$2"/tests/corpus/*.{lp,mps} /usr/share/doc/glpk-utils/examples/*.{lp,mps}; do
    [[ -f $model ]] || continue
    folder=$(basename "$(dirname "$model")")
    cp "$model" "$work/${folder}_$(basename "$model")"
done
cd "$work"

# The objective of qtb-solve's JSON answer, or "none" without an optimum.
objective() {
    python3 -c 'import json, sys; r = json.load(sys.stdin); print(r["objective"] if r.get("end") == "optimal" else "none")'
}

# qtb-solve's optimum of a model; Beale's example cycles under the default rule and is solved with Bland's.
qtb_optimum() {
    local rule=dantzig
    [[ $1 == beale.* ]] && rule=bland
    # A model without an optimum exits with status 2 or 3, and its JSON still says so.
    { "$solver" --tables none --json --integer relax --rule "$rule" "$1" || true; } | objective
}

# glpsol's optimum from its solution file, written with all its digits; "none" when it finds none.
glpsol_optimum() {
    glpsol --lp "$1" -w glpsol.sol >/dev/null || { echo none; return; }
    awk '$1 == "s" { print ($5 == "f" && $6 == "f") ? $7 : "none" }' glpsol.sol
}

same() {
    python3 -c "import sys; a, b = float(sys.argv[1]), float(sys.argv[2]); sys.exit(0 if abs(a - b) <= 1e-9 * max(1, abs(a), abs(b)) else 1)" "$1" "$2"
}

failed=0
checked=0
for model in *.lp *.mps *.mod; do
    primal=$(qtb_optimum "$model")
    [[ $primal == none ]] && continue
    dual=dual_of_${model//./_}.lp
    if ! "$solver" --write-dual "$dual" "$model" >/dev/null; then
        echo "$model: --write-dual failed"
        failed=1
        continue
    fi
    from_glpsol=$(glpsol_optimum "$dual")
    from_qtb=$({ "$solver" --tables none --json "$dual" || true; } | objective)
    # The dual of a cycling model may cycle too: Bland's rule then.
    [[ $from_qtb == none ]] && from_qtb=$({ "$solver" --tables none --json --rule bland "$dual" || true; } | objective)
    if [[ $from_glpsol == none || $from_qtb == none ]] || ! same "$from_glpsol" "$primal" || ! same "$from_qtb" "$primal"; then
        echo "$model: primal optimum $primal, dual optimum in glpsol $from_glpsol, in qtb-solve $from_qtb"
        failed=1
    else
        checked=$((checked + 1))
    fi
done
((checked > 0)) || { echo "no model checked"; exit 1; }
echo "$checked duals reach their models' optima in glpsol and qtb-solve"
exit $failed
