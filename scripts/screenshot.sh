#!/usr/bin/env bash
# Takes a picture of the desktop program's main window, with an example problem loaded, on a virtual
# X server, and saves it as a PNG:
#     scripts/screenshot.sh [BUILD_DIR [OUT.png [ABOUT.png [TABLES.png PICTURE.png]]]]
# Defaults: build/ and docs/screenshot.png; a third argument saves the About window too, a fourth and
# fifth the solution window of examples/diet.qtb on its first table and on its picture. At 200 %:
#     QT_SCALE_FACTOR=2 scripts/screenshot.sh build docs/screenshot@2x.png '' \
#         docs/solution-table@2x.png docs/solution-picture@2x.png
# Needs xvfb-run (Debian packages xvfb and xauth).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshot.png}
about=${3:-}
solution_tables=${4:-}
solution_picture=${5:-}
if [[ -n $solution_tables && -z $solution_picture ]]; then
    echo "screenshot.sh: the solution window needs two files: TABLES.png PICTURE.png" >&2
    exit 64
fi

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
# The program's own windows, grabbed by the program's code once they are painted.
xvfb-run -a -s "-screen 0 1024x768x24" "$build/ui/qtb-screenshot" "${args[@]}" "$out"
echo "saved $out${about:+ and $about}"
if [[ -n $solution_tables ]]; then
    # A problem in two variables with artificial ones: the M parts of the estimates and a picture.
    scratch=$(mktemp --suffix=.png)
    xvfb-run -a -s "-screen 0 2560x1600x24" "$build/ui/qtb-screenshot" --load examples/diet.qtb \
        --solution "$solution_tables" "$solution_picture" "$scratch"
    rm -f "$scratch"
    echo "saved $solution_tables and $solution_picture"
fi
