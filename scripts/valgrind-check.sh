#!/usr/bin/env bash
# Runs qtb-solve under valgrind over every example and, when they lie beside the project, a sample
# of the conformance cases; fails on the first memory error or leak.
#   scripts/valgrind-check.sh [path/to/qtb-solve] [EVERY]
# The sample, the same on every run: every EVERY-th case in name order (default 8; 1 takes them all),
# and every case named large or eleven_faults (the largest tables, the most faults at once).
set -euo pipefail
tool=$(realpath "${1:-$(dirname "$0")/../build/qtb-solve}")
every=${2:-8}
cd "$(dirname "$0")/.."
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)" >&2; exit 1; }

inputs=(examples/*.qtb)
cases=0
if [[ -d ../shared/conformance/cases ]]; then
    mapfile -t all < <(find ../shared/conformance/cases -name '*.qtb' | LC_ALL=C sort)
    cases=${#all[@]}
    for index in "${!all[@]}"; do
        file=${all[index]}
        if ((index % every == 0)) || [[ $file =~ _(large|eleven_faults)\.qtb$ ]]; then
            inputs+=("$file")
        fi
    done
fi

check_one() {
    local tool=$1 problem=$2 work
    work=$(mktemp -d)
    cp "$problem" "$work/"
    local rc=0
    (cd "$work" && valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
        "$tool" --json "$(basename "$problem")" >/dev/null 2>"$work/valgrind.log") || rc=$?
    if ((rc == 99)); then
        echo "FAIL $problem"
        cat "$work/valgrind.log"
    fi
    rm -rf "$work"
    ((rc != 99))
}
export -f check_one

printf '%s\n' "${inputs[@]}" | xargs -P "$(nproc)" -I{} bash -c 'check_one "$0" "$1"' "$tool" {}
echo "valgrind: ${#inputs[@]} passed, 0 failed (the examples and a sample of $cases conformance cases)"
