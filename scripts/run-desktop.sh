#!/usr/bin/env bash
# Starts the desktop program from a build folder:  scripts/run-desktop.sh [BUILD_DIR]
# It runs in BUILD_DIR/run/, which holds copies of the examples, so that the open dialog shows them and the
# reports they name appear beside them without touching the sources.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program=$build/qtb

if [[ ! -x $program ]]; then
    echo "The desktop program $program has not been built. It needs Qt 6 Widgets (Debian package" >&2
    echo "qt6-base-dev) and the CMake option QTB_BUILD_UI=ON, which is the default." >&2
    exit 1
fi
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
    echo "No display to show the window on: neither DISPLAY (an X server) nor WAYLAND_DISPLAY is set." >&2
    echo "Run 'make run' from a desktop session, or start the program on a virtual X server:" >&2
    echo "    xvfb-run -a $program        (Debian packages xvfb and xauth)" >&2
    echo "scripts/screenshot.sh does that and saves a picture of the window." >&2
    exit 1
fi

program=$(cd "$build" && pwd)/qtb
mkdir -p "$build/run"
cp -u examples/*.qtb "$build/run/"
cd "$build/run"
exec "$program"
