#!/usr/bin/env bash
# Takes a picture of an HTML report (examples/production.qtb, every table) in headless Chromium:
#     scripts/screenshot-report.sh [qtb-solve [OUT.png]]
# Defaults: build/qtb-solve and docs/report-html.png. Needs Debian's chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
solver=$(realpath "${1:-build/qtb-solve}")
out=$(realpath -m "${2:-docs/report-html.png}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$solver" --output html --tables all --report "$work/report.html" examples/production.qtb >/dev/null
# As root Chromium runs only without its sandbox.
sandbox=()
if [[ $(id -u) -eq 0 ]]; then
    sandbox=(--no-sandbox)
fi
chromium --headless "${sandbox[@]}" --disable-gpu --hide-scrollbars --window-size=900,1150 \
    --screenshot="$out" "file://$work/report.html" 2>/dev/null
echo "saved $out"
