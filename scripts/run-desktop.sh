#!/usr/bin/env bash
# Starts the desktop program from a build folder; until it exists, solves an example with the command-line tool.
set -euo pipefail
build=${1:-build}
if [[ -x $build/qtb ]]; then
    if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
        echo "No display: set DISPLAY (an X server) or WAYLAND_DISPLAY to see the window," >&2
        echo "or run it under a virtual one: xvfb-run $build/qtb" >&2
        exit 1
    fi
    exec "$build/qtb"
fi
cd examples
exec "../$build/qtb-solve" maximize.qtb
