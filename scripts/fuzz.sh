#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time, two at a time:
#     scripts/fuzz.sh [SECONDS] [TARGET...]      (default: 30 seconds, every target)
# Each run starts from the committed seeds in tests/fuzz/corpus/TARGET; inputs it finds go to
# build-fuzz/corpus/TARGET, and an input that fails is kept in build-fuzz/crashes. Without clang
# the script says so and succeeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(reply files roundtrip convert page)

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is not installed; the fuzz runs are skipped."
    exit 0
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_CXX_FLAGS="-O1 -g" -DZEL_FUZZ=ON -DZEL_BUILD_GUI=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/crashes build-fuzz/logs
run() {
    local target=$1
    mkdir -p "build-fuzz/corpus/$target"
    local status=0
    "build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=8192 -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build-fuzz/crashes/$target-" \
        "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target" \
        >"build-fuzz/logs/$target.log" 2>&1 || status=$?
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/logs/$target.log")
    if [ "$status" -eq 0 ]; then
        echo "fuzz_$target: ${runs:-?} runs in ${seconds} s, nothing found"
    else
        echo "fuzz_$target: FAILED after ${runs:-?} runs (exit $status); the end of its log:"
        tail -n 40 "build-fuzz/logs/$target.log"
    fi
    return "$status"
}
export -f run
export seconds
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run {}'
