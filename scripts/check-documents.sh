#!/usr/bin/env bash
# The report as documents: every example (examples/*.qtb and the models in examples/models) solved with
# --output latex, in double and in exact arithmetic, with and without --sensitivity, must compile with
# pdflatex; with --output html, every page must parse with each tag closed where it belongs
# (scripts/check-html.py). The PDF's text (pdftotext) holds every infinity the page does.
#
#     scripts/check-documents.sh [BUILD/qtb-solve]
set -euo pipefail
cd "$(dirname "$0")/.."
solver=$(realpath "${1:-build/qtb-solve}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

examples=(examples/*.qtb tests/documents/*.qtb examples/models/*.lp examples/models/*.mps examples/models/*.mod)
failures=0
for example in "${examples[@]}"; do
    base=$(basename "$example")
    for run in double exact double-sensitivity exact-sensitivity; do
        arithmetic=${run%-sensitivity}
        options=(--arithmetic "$arithmetic")
        [[ $run == *-sensitivity ]] && options+=(--sensitivity)
        stem="$work/${base//./_}_${run//-/_}"
        # A problem without an optimum still gets its report: exit status 2 (codes) or 3 (the limit or a
        # cycle) is expected of some.
        status=0
        "$solver" "${options[@]}" --output latex --report "$stem.tex" "$example" >/dev/null || status=$?
        "$solver" "${options[@]}" --output html --report "$stem.html" "$example" >/dev/null || status=$?
        if ((status != 0 && status != 2 && status != 3)) || [[ ! -s $stem.tex || ! -s $stem.html ]]; then
            echo "FAIL $example ($run): no report (exit status $status)"
            failures=$((failures + 1))
            continue
        fi
        # Twice: longtable settles its column widths on the second pass.
        if ! (cd "$work" && for pass in 1 2; do
            pdflatex -interaction=nonstopmode -halt-on-error "$(basename "$stem").tex" >"$stem.pdflatex" 2>&1 || exit 1
        done); then
            echo "FAIL $example ($run): pdflatex"
            grep -A4 '^!' "$stem.log" || tail -20 "$stem.pdflatex"
            failures=$((failures + 1))
        elif [[ $(pdftotext "$stem.pdf" - | grep -o '∞' | wc -l) != $(grep -o '∞' "$stem.html" | wc -l) ]]; then
            # Each infinity of a range printed, as the HTML page has it.
            echo "FAIL $example ($run): the PDF lost an infinity"
            failures=$((failures + 1))
        fi
        if ! python3 scripts/check-html.py "$stem.html"; then
            echo "FAIL $example ($run): HTML"
            failures=$((failures + 1))
        fi
    done
done
if ((failures != 0)); then
    echo "$failures document checks failed"
    exit 1
fi
echo "documents: ${#examples[@]} examples in two arithmetics with and without sensitivity, LaTeX compiled and HTML parsed"
