#!/usr/bin/env bash
# Runs each fuzz target for the given number of seconds (default 60):
#   scripts/fuzz.sh [SECONDS] [BUILD-FOLDER]
# The targets come from BUILD-FOLDER when it is given (configured with -DQTB_FUZZ=ON, as CI's clang build
# with the sanitizers is); otherwise a lean fuzz build of their own is made in build-fuzz with clang.
# New inputs collect in fuzz-corpus/<target>; crashes are written to the current folder as crash-*.
# Every input that once failed is kept in tests/fuzz/regressions and replayed first.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${2:-}
targets=(reader_fuzz solve_fuzz number_fuzz lp_model_fuzz mps_model_fuzz mathprog_model_fuzz)
if [[ -z $build ]]; then
    build="build-fuzz"
    # CMAKE_FLAGS in the environment adds configure options (CI: -DCMAKE_COMPILE_WARNING_AS_ERROR=ON).
    # shellcheck disable=SC2086
    cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DQTB_FUZZ=ON -DQTB_BUILD_UI=OFF -DBUILD_TESTING=OFF \
        -DQTB_BUILD_BENCH=OFF ${CMAKE_FLAGS:-} >/dev/null
elif ! grep -q '^QTB_FUZZ:BOOL=ON$' "$build/CMakeCache.txt" 2>/dev/null; then
    echo "$build is not a build configured with -DQTB_FUZZ=ON" >&2
    exit 1
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
status=0
for target in "${targets[@]}"; do
    corpus=fuzz-corpus/$target
    mkdir -p "$corpus"
    # The model readers start from the example and test models of their format.
    seeds=(examples)
    case $target in
        lp_model_fuzz) seeds=(tests/fuzz/seeds/lp) ;;
        mps_model_fuzz) seeds=(tests/fuzz/seeds/mps) ;;
        mathprog_model_fuzz) seeds=(tests/fuzz/seeds/mathprog) ;;
    esac
    echo "== $target for $seconds s"
    mapfile -t kept < <(find tests/fuzz/regressions -type f ! -name README)
    if ((${#kept[@]})) && ! "$build/tests/fuzz/$target" "${kept[@]}" >"$build/$target-regressions.log" 2>&1; then
        echo "$target fails on a kept regression input:" >&2
        tail -n 30 "$build/$target-regressions.log" >&2
        status=1
        continue
    fi
    if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
        -dict=tests/fuzz/qtb.dict -print_final_stats=1 "$corpus" "${seeds[@]}" >"$build/$target.log" 2>&1; then
        echo "$target found a failure:" >&2
        grep -A 30 -E '^==[0-9]+==ERROR|runtime error|deadly signal|SUMMARY' "$build/$target.log" | head -n 60 >&2
        status=1
    fi
    grep -E '^(Done|stat::peak_rss_mb)' "$build/$target.log" || true
done
exit $status
