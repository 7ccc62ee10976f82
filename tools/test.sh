#!/usr/bin/env bash
# Builds everything from nothing and runs every test headless: once as a
# Debug build, once optimised (RelWithDebInfo), then once more with AddressSanitizer
# and UndefinedBehaviorSanitizer; warnings are errors in each.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== format check"
# Every source of the work tree, new ones included and deleted ones left out.
files=$(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' 2>/dev/null ||
    find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
existing=()
for f in $files; do
    if [[ -f $f ]]; then
        existing+=("$f")
    fi
done
clang-format --dry-run -Werror "${existing[@]}"

echo "== build and test"
rm -rf build/ci
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON
cmake --build build/ci -j "$jobs"
ctest --test-dir build/ci --output-on-failure -j "$jobs"

echo "== optimised build and test (a warning or a fault that shows only with optimisation)"
rm -rf build/opt
cmake -S . -B build/opt -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON
cmake --build build/opt -j "$jobs"
ctest --test-dir build/opt --output-on-failure -j "$jobs"

echo "== sanitizer build and test"
rm -rf build/asan
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON -DCORVANE_SANITIZE=ON
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=abort_on_error=1:detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== benchmarks (Release; a benchmark's error fails, its timings are only reported)"
rm -rf build/bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_WERROR=ON \
    -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=ON
cmake --build build/bench -j "$jobs"
for bench in build/bench/bench/bench_*; do
    [[ -f $bench && -x $bench ]] || continue
    "$bench" --benchmark_min_time=0.05
done

echo "== fuzzing (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)"
rm -rf build/fuzz
# The project's warning gate is the GCC build above; clang's own warnings in the layers do not
# stop the fuzzers (the targets themselves are built with -Werror).
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_WERROR=OFF -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_FUZZ=ON
cmake --build build/fuzz -j "$jobs"
# Every target at once, each for at most a minute or a bounded number of runs; a crash, leak,
# sanitizer report or broken invariant fails. New inputs go to a scratch corpus, never into
# the checked-in seeds.
mkdir -p build/fuzz/logs build/fuzz/found
declare -A fuzzers=()
for target in build/fuzz/fuzz/fuzz_*; do
    [[ -f $target && -x $target ]] || continue
    name=$(basename "$target")
    mkdir -p "build/fuzz/corpus/$name"
    dict=()
    case "$name" in
    fuzz_profile | fuzz_import | fuzz_import_pellion) dict=(-dict=fuzz/dict/settings.dict) ;;
    fuzz_import_tessarine) dict=(-dict=fuzz/dict/tessarine.dict) ;;
    esac
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS=suppressions=fuzz/lsan.supp \
        "$target" -max_total_time=60 -runs=5000000 -timeout=30 -rss_limit_mb=2048 \
        -error_exitcode=77 -print_final_stats=1 "${dict[@]}" \
        -artifact_prefix="build/fuzz/found/$name-" \
        "build/fuzz/corpus/$name" "fuzz/corpus/$name" >"build/fuzz/logs/$name.log" 2>&1 &
    fuzzers[$name]=$!
done
fuzz_failed=0
for name in "${!fuzzers[@]}"; do
    if wait "${fuzzers[$name]}"; then
        echo "$name: $(grep -E '^(Done|stat::number_of_executed_units)' "build/fuzz/logs/$name.log" | head -1)"
    else
        echo "$name FAILED; the input is kept in build/fuzz/found/:"
        tail -n 60 "build/fuzz/logs/$name.log"
        fuzz_failed=1
    fi
done
if ((fuzz_failed)); then
    exit 1
fi
