#!/usr/bin/env bash
# Time and peak memory of `qtb-solve --json` on inputs too large for unit tests.
#
#     bench/odd_inputs.sh [path/to/qtb-solve] [MEGABYTES]
#
# The tool defaults to build/qtb-solve, the size of the two large files to 100 MB.
# Everything is generated into a temporary folder that is removed at the end
# (the report of the 300 x 500 problem with every table takes a few gigabytes
# there while it is measured). One line per input: the exit status, the wall
# time, the peak resident memory and, for the two solved problems, the report size:
#   - junk: MEGABYTES of random bytes (NUL, CR, LF and blanks among them) with keywords strewn in;
#   - word: a single word of MEGABYTES bytes;
#   - sizes: "Size: 300 500" repeated over MEGABYTES (each one used to zero a table of a
#     megabyte; now the table is made once, for the size that counts);
#   - dense 300 x 500, all tables: the largest table a problem file may give, every
#     table printed (up to 4 x 301 pivots, a few megabytes per table);
#   - dense 300 x 500, no tables: the same problem, nothing printed.
# Needs bash, awk, head, tr and GNU time (/usr/bin/time, Debian package `time`).
set -euo pipefail

tool=$(realpath "${1:-$(dirname "$0")/../build/qtb-solve}")
megabytes=${2:-100}
[[ -x $tool ]] || { echo "no qtb-solve at $tool (build it first)" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "GNU time is needed: apt-get install time" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Random bytes (0x1A, which would end the text, made a blank) with keywords at every
# megabyte that keep the reader busy to the end.
head -c "$((megabytes << 20))" /dev/urandom | tr '\032' ' ' >junk.qtb
for ((k = 0; k < megabytes; ++k)); do
    printf ' Aim: max File: r.txt Size: 3 5 Var_names: a b c d e Accuracy: 8 2 Print: 1 5 NoTable \n' |
        dd of=junk.qtb bs=1 seek=$((k << 20)) conv=notrunc status=none
done

head -c "$((megabytes << 20))" /dev/zero | tr '\000' 'w' >word.qtb

{
    printf 'Aim: max File: r.txt '
    head -n "$(((megabytes << 20) / 14))" < <(yes 'Size: 300 500')  # yes ends by SIGPIPE, outside pipefail
} >sizes.qtb

# max c.x with A x + s = b in the first 150 rows and A x + r = b (r artificial, cost -M)
# in the other 150; A dense with mixed signs, b = A x0 (plus room in the first half)
# for a positive x0, so the problem is feasible and takes many pivots.
awk 'BEGIN {
    srand(20240601); m = 300; n = 500; own = n - m
    printf "Name: dense 300 x 500\nAim: max\nSize: %d %d\nBase: %d\nFile: dense.txt\nMatrix:\n", m, n, own + m / 2
    for (j = 1; j <= own; ++j) { c[j] = 1 + 19 * rand(); x0[j] = rand(); printf "%.6f ", c[j] }
    for (j = own + 1; j <= n; ++j) printf (j - own > m / 2 ? "-M " : "0 ")
    printf "\n"
    for (i = 1; i <= m; ++i) {
        b = i <= m / 2 ? 1 + 99 * rand() : 0; row = ""
        for (j = 1; j <= own; ++j) { a = -3 + 13 * rand(); a = sprintf("%.6f", a); b += a * x0[j]; row = row " " a }
        for (j = own + 1; j <= n; ++j) row = row (j - own == i ? " 1" : " 0")
        printf "%.6f%s\n", (b > 0 ? b : 0), row
    }
}' >dense.qtb

measure() {  # label, then the arguments of qtb-solve
    local label=$1
    shift
    local status=0
    /usr/bin/time -f '%e %M' -o time.txt "$tool" --json "$@" >out.json 2>err.txt || status=$?
    read -r seconds kilobytes < <(tail -n 1 time.txt)  # GNU time notes a non-zero exit first
    local report=""
    if [[ -f dense.txt ]]; then
        report=$(printf ', report %d MB' "$(($(stat -c %s dense.txt) >> 20))")
        rm -f dense.txt
    fi
    printf '%-28s exit %d, %6.2f s, peak %5d MB%s\n' "$label" "$status" "$seconds" "$((kilobytes >> 10))" "$report"
    printf '    %s\n' "$(grep -o '"ok": [a-z]*\|"end": "[a-z_]*"\|"codes": \[[^]]*\]' out.json | tr '\n' ' ')"
}

echo "qtb-solve: $tool"
measure "junk, $megabytes MB" junk.qtb
measure "one word, $megabytes MB" word.qtb
measure "Size: repeated, $megabytes MB" sizes.qtb
measure "dense 300 x 500, all tables" --tables all dense.qtb
measure "dense 300 x 500, no tables" --tables none dense.qtb
