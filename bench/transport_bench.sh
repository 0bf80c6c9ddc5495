#!/usr/bin/env bash
# Whole-process time of qtb-solve on a random 300 x 300 transport problem (costs 1..100, supplies
# and demands 1..1000, balanced), from each start, without tables (goal: under one second each):
#
#     bench/transport_bench.sh [BUILD-FOLDER]
#
# Uses hyperfine when it is installed (5 runs after a warm-up), else the best of 5 runs by date.
# The machine should be otherwise idle.
set -euo pipefail

build=$(realpath "${1:-$(dirname "$0")/../build}")
tool=$build/qtb-solve
[[ -x $tool ]] || { echo "no $tool (build the project first)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/big.qtt" <<'PY'
import random, sys
rng = random.Random(300)
m = n = 300
supplies = [rng.randint(1, 1000) for _ in range(m)]
demands = [rng.randint(1, 1000) for _ in range(n)]
demands[-1] += sum(supplies) - sum(demands)
while demands[-1] < 0:
    k = rng.randrange(n - 1)
    take = min(demands[k], -demands[-1])
    demands[k] -= take
    demands[-1] += take
with open(sys.argv[1], "w") as out:
    out.write(f"Name: bench\nAim: min\nSize: {m} {n}\nNoTable\n")
    out.write("Supplies: " + " ".join(map(str, supplies)) + "\nDemands: " + " ".join(map(str, demands)) + "\nCosts:\n")
    for _ in range(m):
        out.write(" ".join(str(rng.randint(1, 100)) for _ in range(n)) + "\n")
PY
for start in northwest least-cost vogel; do
    "$tool" --json --start "$start" "$work/big.qtt" |
        python3 -c 'import json, sys; r = json.load(sys.stdin); print(sys.argv[1], r["end"], r["total_cost"], "iterations", r["iterations"])' "$start"
done
if command -v hyperfine >/dev/null; then
    hyperfine --warmup 1 --runs 5 -N \
        "$tool --start northwest $work/big.qtt" "$tool --start least-cost $work/big.qtt" \
        "$tool --start vogel $work/big.qtt"
else
    for start in northwest least-cost vogel; do
        best=
        for _ in 1 2 3 4 5; do
            from=$(date +%s.%N)
            "$tool" --start "$start" "$work/big.qtt" >/dev/null
            took=$(echo "$(date +%s.%N) - $from" | bc)
            [[ -z $best ]] || (($(echo "$took < $best" | bc))) && best=$took
        done
        echo "$start: best of 5 ${best} s"
    done
fi
