#!/usr/bin/env bash
# Style and static checks: clang-format (no differences allowed) and clang-tidy (.clang-tidy; every
# finding is an error) over the project's C++ files. Needs a configured build folder for the compile commands.
#   scripts/check-style.sh [BUILD-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[[ -f $build/compile_commands.json ]] || { echo "configure $build first (make build)" >&2; exit 1; }

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: ${#sources[@]} files clean"

# Fuzz targets are built by clang with their own flags, outside this build's compile commands.
# The compile commands are GCC's: clang does not know every warning option they name.
mapfile -t units < <(git ls-files '*.cpp' | grep -v '^tests/fuzz/')
printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option 2>/dev/null
echo "clang-tidy: ${#units[@]} files clean"
