#!/usr/bin/env bash
# Takes a picture of the desktop program's main window, with an example problem loaded, on a virtual
# X server, and saves it as a PNG:
#     scripts/screenshot.sh [BUILD_DIR [OUT.png [ABOUT.png [RUNNING.png]]]]
# Defaults: build/ and docs/screenshot.png; a third argument saves the About window too ("" for none),
# a fourth the main window during a run, with its progress bar.
# Needs xvfb-run (Debian packages xvfb and xauth).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshot.png}
about=${3:-}
running=${4:-}

if ! command -v xvfb-run >/dev/null; then
    echo "screenshot.sh: xvfb-run is missing; install it with: sudo apt-get install xvfb xauth" >&2
    exit 1
fi

cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target qtb-screenshot >/dev/null

mkdir -p "$(dirname "$out")"
args=(--load examples/maximize.qtb)
if [[ -n $about ]]; then
    args+=(--about "$about")
fi
if [[ -n $running ]]; then
    args+=(--running "$running")
    # The run writes its report beside the problem; it goes again afterwards.
    [[ -e examples/maximize.txt ]] || trap 'rm -f examples/maximize.txt' EXIT
fi
# The program's own windows, grabbed by the program's code once they are painted.
xvfb-run -a -s "-screen 0 1024x768x24" "$build/ui/qtb-screenshot" "${args[@]}" "$out"
echo "saved $out${about:+ and $about}${running:+ and $running}"
