#!/usr/bin/env bash
# The HTML report on paper: a problem wider than a page (tests/documents/wide_6x10.qtb) and the examples'
# sensitivity, solved with --output html in both arithmetics, printed to PDF by headless Chromium on Letter
# (its default) and on A4; the PDF's text must hold every column heading of every table
# (scripts/check-html-print.py). Skips, saying so, only where Chromium cannot run.
#
#     scripts/check-html-print.sh [BUILD/qtb-solve]
set -euo pipefail
cd "$(dirname "$0")/.."
solver=$(realpath "${1:-build/qtb-solve}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# As root Chromium runs only without its sandbox.
sandbox=()
if [[ $(id -u) -eq 0 ]]; then
    sandbox=(--no-sandbox)
fi
print_pdf() {
    chromium --headless "${sandbox[@]}" --disable-gpu --no-pdf-header-footer --print-to-pdf="$2" "file://$1" \
        >/dev/null 2>&1
}

if ! command -v chromium >/dev/null || ! command -v pdftotext >/dev/null; then
    echo "SKIP HTML on paper: chromium or pdftotext (poppler-utils) is not installed"
    exit 0
fi
printf '<!DOCTYPE html>\n<html><body>probe</body></html>\n' >"$work/probe.html"
if ! print_pdf "$work/probe.html" "$work/probe.pdf" || [[ ! -s $work/probe.pdf ]]; then
    echo "SKIP HTML on paper: chromium cannot print here"
    exit 0
fi

failures=0
checked=0
for problem in tests/documents/wide_6x10.qtb examples/diet.qtb; do
    for arithmetic in double exact; do
        stem="$work/$(basename "$problem" .qtb)_$arithmetic"
        "$solver" --arithmetic "$arithmetic" --sensitivity --output html --report "$stem.html" "$problem" >/dev/null
        # A4 by the page's own rule, as a user's print dialog would set it.
        sed 's|</style>|@page { size: A4; }\n</style>|' "$stem.html" >"${stem}_a4.html"
        for page in "$stem.html" "${stem}_a4.html"; do
            print_pdf "$page" "${page%.html}.pdf"
            pdftotext -layout "${page%.html}.pdf" "${page%.html}.txt"
            checked=$((checked + 1))
            if ! python3 scripts/check-html-print.py "$page" "${page%.html}.txt"; then
                echo "FAIL $problem ($arithmetic, $(basename "$page")): a column is lost on paper"
                failures=$((failures + 1))
            fi
        done
    done
done
if ((failures != 0)); then
    echo "$failures prints lost columns"
    exit 1
fi
echo "HTML on paper: $checked prints (Letter and A4), every column heading of every table printed"
