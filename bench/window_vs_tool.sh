#!/usr/bin/env bash
# A run in the desktop program against the same run in qtb-solve, on the dense problem of the largest size a
# problem file may give (300 x 500, 716 pivots; bench/dense_problem.h) with no tables printed:
#
#     bench/window_vs_tool.sh [BUILD-FOLDER] [RUNS]
#
# The build folder (default build) must hold qtb-solve, bench/dense_problem_files and bench/window_run_bench.
# qtb-solve runs RUNS times (default 5) as whole processes, `qtb-solve --tables none --json dense.qtb`; the
# window runs RUNS times in one program, offscreen, each from the press of «Решить» with «Таблицы итераций
# не выводить» to the solution window painted (bench/window_run_bench.cpp: the window records every table
# for its solution window all the same). Prints every time, the best of each, their ratio and the goal: the
# window at most 1.5 times qtb-solve plus 0.3 s; and the longest the window went without answering.
# The machine should be otherwise idle.
set -euo pipefail

build=$(realpath "${1:-$(dirname "$0")/../build}")
runs=${2:-5}
tool=$build/qtb-solve
writer=$build/bench/dense_problem_files
window=$build/bench/window_run_bench
for program in "$tool" "$writer" "$window"; do
    [[ -x $program ]] || { echo "no $program (build the project first)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$writer" .

tool_times=()
for ((run = 0; run < runs; ++run)); do
    start=$(date +%s%N)
    "$tool" --tables none --json dense.qtb >out.json
    tool_times+=("$(awk -v ns="$(($(date +%s%N) - start))" 'BEGIN { printf "%.3f", ns / 1e9 }')")
done
grep -q '"end": "optimal"' out.json || { echo "qtb-solve did not reach the optimum:" >&2; cat out.json >&2; exit 1; }

QT_QPA_PLATFORM=offscreen "$window" --runs "$runs" dense.qtb >window.txt 2>boxes.txt
grep -q 'Решение получено!' boxes.txt || { echo "the window did not solve the problem:" >&2; cat boxes.txt >&2; exit 1; }
mapfile -t window_times < <(awk '{ print $3 }' window.txt)
longest_pause=$(awk '{ if ($15 > p) p = $15 } END { printf "%.3f", p }' window.txt)

best() { printf '%s\n' "$@" | sort -g | head -n 1; }
tool_best=$(best "${tool_times[@]}")
window_best=$(best "${window_times[@]}")

echo "dense 300 x 500, no tables printed, $runs runs each:"
echo "  qtb-solve --tables none (whole process): ${tool_times[*]} s, best ${tool_best} s"
echo "  the window (press to painted solution):  ${window_times[*]} s, best ${window_best} s"
echo "  the window's longest pause meanwhile: ${longest_pause} s"
awk -v w="$window_best" -v t="$tool_best" 'BEGIN {
    goal = 1.5 * t + 0.3
    printf "  ratio window / qtb-solve: %.2f; goal: at most 1.5 x %.3f + 0.3 = %.3f s: %s\n", w / t, t, goal,
           (w <= goal ? "met" : "missed")
}'
