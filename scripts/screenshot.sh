#!/usr/bin/env bash
# Takes pictures of the desktop program's windows on a virtual X server and saves them as PNGs:
#     scripts/screenshot.sh [BUILD_DIR [MAIN.png]] [--OPTION FILE.png ...]
# Defaults: build/ and docs/screenshot.png: the main window with examples/maximize.qtb loaded. The options
# pass on to qtb-screenshot and name further pictures (`qtb-screenshot` without arguments lists them):
# --about, the About window; --editor, the problem editor with a checked model that has one fault;
# --running, the main window during a run, with its progress bar.
# QT_SCALE_FACTOR=2 in the environment takes them at 200 %.
# Needs xvfb-run (Debian packages xvfb and xauth).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
out=docs/screenshot.png
if [[ $# -gt 0 && $1 != -* ]]; then build=$1; shift; fi
if [[ $# -gt 0 && $1 != -* ]]; then out=$1; shift; fi

if ! command -v xvfb-run >/dev/null; then
    echo "screenshot.sh: xvfb-run is missing; install it with: sudo apt-get install xvfb xauth" >&2
    exit 1
fi

cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target qtb-screenshot >/dev/null

mkdir -p "$(dirname "$out")"
for arg in "$@"; do
    if [[ $arg == --running ]]; then
        # The run writes its report beside the problem; it goes again afterwards.
        [[ -e examples/maximize.txt ]] || trap 'rm -f examples/maximize.txt' EXIT
    fi
done
# The program's own windows, grabbed by the program's code once they are painted.
xvfb-run -a -s "-screen 0 1024x768x24" "$build/ui/qtb-screenshot" --load examples/maximize.qtb "$@" "$out"
echo "saved $out $*"
