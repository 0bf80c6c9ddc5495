#!/usr/bin/env bash
# Takes pictures of the desktop program's windows on a virtual X server and saves them as PNGs:
#     scripts/screenshot.sh [BUILD_DIR [MAIN.png]] [--about F.png] [--editor F.png] [--running F.png]
#                           [--solution TABLES.png PICTURE.png]
# Defaults: build/ and docs/screenshot.png, the main window with examples/maximize.qtb loaded.
# --about: the About window; --editor: the problem editor with a checked model that has one fault;
# --running: the main window during a run, with its progress bar; --solution: the solution window of
# examples/diet.qtb (two variables and artificial ones) on its first table and on its picture.
# QT_SCALE_FACTOR=2 in the environment takes them at 200 %.
# Needs xvfb-run (Debian packages xvfb and xauth).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
out=docs/screenshot.png
if [[ $# -gt 0 && $1 != -* ]]; then build=$1; shift; fi
if [[ $# -gt 0 && $1 != -* ]]; then out=$1; shift; fi
main_args=()
solution_args=()
while [[ $# -gt 0 ]]; do
    case $1 in
        --about | --editor | --running) main_args+=("$1" "$2"); shift 2 ;;
        --solution) solution_args=(--solution "$2" "$3"); shift 3 ;;
        *) echo "screenshot.sh: unknown argument $1" >&2; exit 64 ;;
    esac
done

if ! command -v xvfb-run >/dev/null; then
    echo "screenshot.sh: xvfb-run is missing; install it with: sudo apt-get install xvfb xauth" >&2
    exit 1
fi

cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target qtb-screenshot qtb-model-box >/dev/null
# The screenshot tool lies in the build's ui/ folder, away from the reader of models it needs.
QTB_MODEL_BOX=$(realpath "$build")/qtb-model-box
export QTB_MODEL_BOX

mkdir -p "$(dirname "$out")"
# A run writes its report beside the problem; it goes again afterwards.
[[ -e examples/maximize.txt ]] || trap 'rm -f examples/maximize.txt' EXIT
# The program's own windows, grabbed by the program's code once they are painted.
xvfb-run -a -s "-screen 0 2560x1600x24" "$build/ui/qtb-screenshot" --load examples/maximize.qtb \
    "${main_args[@]}" "$out"
echo "saved $out ${main_args[*]}"
if [[ ${#solution_args[@]} -gt 0 ]]; then
    scratch=$(mktemp --suffix=.png)
    xvfb-run -a -s "-screen 0 2560x1600x24" "$build/ui/qtb-screenshot" --load examples/diet.qtb \
        "${solution_args[@]}" "$scratch"
    rm -f "$scratch"
    echo "saved ${solution_args[*]:1}"
fi
