#!/usr/bin/env bash
# Whole-process time of qtb-solve against glpsol (Debian package glpk-utils) on
# one dense problem of the largest size a problem file may give (300 x 500, a
# few hundred pivots; bench/dense_problem.h):
#
#     bench/vs_glpsol.sh [BUILD-FOLDER]
#
# The build folder (default build) must hold qtb-solve, bench/dense_problem_files and
# bench/number_read_bench.
# The problem is written as a problem file (the whole simplex table) and as CPLEX
# LP (the own variables and the rows). Each program runs 5 times in turn, the best
# wall time of each counts: qtb-solve with --tables none (writing nothing, as
# glpsol writes its solution to a small file), glpsol --lp FILE -o FILE. Prints
# both times, their ratio (goal: qtb-solve at most 0.5 of glpsol) and both optima,
# and fails when the optima differ by more than 1e-6 relative or either run fails.
# Then, in the same run, the speed-up of the problem-file reader's numbers over
# the C++ library's stream (bench/number_read_bench).
# Printing every table is left out: it writes gigabytes (see bench/odd_inputs.sh).
# The machine should be otherwise idle.
set -euo pipefail

build=$(realpath "${1:-$(dirname "$0")/../build}")
runs=5
tool=$build/qtb-solve
writer=$build/bench/dense_problem_files
reading=$build/bench/number_read_bench
for program in "$tool" "$writer" "$reading"; do
    [[ -x $program ]] || { echo "no $program (build the project first)" >&2; exit 1; }
done
command -v glpsol >/dev/null || { echo "glpsol is not installed (apt-get install glpk-utils)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$writer" .

# Best wall time in seconds of `$@` over the runs, its output left in out.txt.
best_of() {
    local best=0 start took
    for ((run = 0; run < runs; ++run)); do
        start=$(date +%s%N)
        "$@" >out.txt
        took=$(($(date +%s%N) - start))
        if ((run == 0 || took < best)); then best=$took; fi
    done
    awk -v ns="$best" 'BEGIN { printf "%.4f", ns / 1e9 }'
}

qtb_seconds=$(best_of "$tool" --tables none --json dense.qtb)
qtb_objective=$(grep -o '"objective": [^,]*' out.txt | cut -d' ' -f2)
grep -q '"end": "optimal"' out.txt || { echo "qtb-solve did not reach the optimum:" >&2; cat out.txt >&2; exit 1; }

# Not -o /dev/null: glpsol, run as root, replaces that device with a plain file.
glpsol_seconds=$(best_of glpsol --lp dense.lp -o glpsol.out)
grep -q 'OPTIMAL LP SOLUTION FOUND' out.txt || { echo "glpsol did not reach the optimum:" >&2; cat out.txt >&2; exit 1; }
glpsol --lp dense.lp -w solution.txt >/dev/null
# The raw solution's line "s bas ROWS COLS STATUS STATUS OBJECTIVE".
glpsol_objective=$(awk '$1 == "s" { print $7 }' solution.txt)

echo "dense 300 x 500, best of $runs whole runs:"
echo "  qtb-solve --tables none: ${qtb_seconds} s, objective ${qtb_objective}"
echo "  glpsol --lp:             ${glpsol_seconds} s, objective ${glpsol_objective}"
awk -v q="$qtb_seconds" -v g="$glpsol_seconds" -v a="$qtb_objective" -v b="$glpsol_objective" 'BEGIN {
    printf "  ratio qtb-solve / glpsol: %.2f (goal: at most 0.50)\n", q / g
    difference = a - b; if (difference < 0) difference = -difference
    scale = b < 0 ? -b : b; if (scale < 1) scale = 1
    if (difference > 1e-6 * scale) { printf "  the optima differ by %.3g\n", difference; exit 1 }
    print "  the optima agree to 1e-6"
}'
echo "reading the numbers of a problem file (bench/number_read_bench):"
"$reading" "$runs" | sed 's/^/  /'
