#!/usr/bin/env bash
# Style and static checks: clang-format (no differences allowed) and clang-tidy (.clang-tidy; every
# finding is an error) over the project's C++ files. Needs a configured build folder for the compile commands.
#   scripts/check-style.sh [BUILD-FOLDER]
# clang-tidy skips a unit whose every input is that of an earlier clean check (scripts/tidy-units.py).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[[ -f $build/compile_commands.json ]] || { echo "configure $build first (make build)" >&2; exit 1; }

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: ${#sources[@]} files clean"

# Fuzz targets are built by clang with their own flags, outside this build's compile commands.
mapfile -t units < <(git ls-files '*.cpp' | grep -v '^tests/fuzz/')
python3 scripts/tidy-units.py "$build" --jobs "$(nproc)" "${units[@]}"
