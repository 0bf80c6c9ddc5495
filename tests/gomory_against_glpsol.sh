#!/usr/bin/env bash
# Pure integer models (tests/gomory/ and those of GLPK's examples that fit the limits) reach, by Gomory's
# cuts, the integer optimum glpsol reports, or end at the cut limit saying so (exit status 8).
#   tests/gomory_against_glpsol.sh QTB-SOLVE SOURCE-DIR        (exit 77: skipped, no glpsol)
set -uo pipefail
# The interpreter itself, not a version manager's shim in front of it: the checks below start it for every run.
python=$(python3 -c 'import sys; print(sys.executable)')
solver=$(realpath "$1")
command -v glpsol >/dev/null || { echo "glpsol not installed (glpk-utils): skipped"; exit 77; }
glpk=/usr/share/doc/glpk-utils/examples
models=("$(realpath "$2")"/tests/gomory/*.lp)
# GLPK's pure integer examples that the size limits admit and that end within minutes (queens, color and
# graceful do too, but their exact numbers grow for minutes); gap ends at the cut limit.
for name in assign.mod bpp.mod gap.mod maxcut.mod min01ks.mod mvcp.mod spp.mod zebra.mod; do
    [[ -f $glpk/$name ]] && models+=("$glpk/$name")
done
# The cut limit: the default, or fewer where CI runs the script under sanitizers at -O0 (QTB_GOMORY_CUTS).
cuts=${QTB_GOMORY_CUTS:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

glpsol_optimum() {
    local format=--math
    [[ $1 == *.lp ]] && format=--lp
    glpsol "$format" "$1" -o "$work/glpsol.out" >/dev/null
    sed -n 's/^Objective:.* \([^ ]*\) (\(MIN\|MAX\)imum).*/\1/p' "$work/glpsol.out"
}

failed=0
reached=0
limited=0
for model in "${models[@]}"; do
    expected=$(glpsol_optimum "$model")
    json=$(cd "$work" && timeout 120 "$solver" --integer gomory --cuts "$cuts" --tables none --json "$model")
    status=$?
    if [[ $status == 8 ]] && grep -q '"end": "cut_limit"' <<<"$json"; then
        echo "$(basename "$model"): the cut limit, said (glpsol $expected)"
        limited=$((limited + 1))
        continue
    fi
    got=$("$python" -c 'import json, sys; r = json.loads(sys.argv[1]); print(r["objective"] if r["ok"] else "failed")' "$json")
    if [[ $status == 0 ]] && "$python" -c "import sys; g, e = float(sys.argv[1]), float(sys.argv[2]); sys.exit(0 if abs(g - e) <= 1e-6 * max(1, abs(e)) else 1)" "$got" "$expected"; then
        reached=$((reached + 1))
    else
        echo "$(basename "$model"): qtb-solve $got (exit status $status), glpsol $expected"
        failed=1
    fi
done
echo "$reached models reach glpsol's integer optimum, $limited end at the cut limit"
exit $failed
