#!/usr/bin/env bash
# Builds everything from nothing and runs every test headless: once as a
# normal build, then once more with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== format check"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
clang-format --dry-run -Werror $files

echo "== build and test"
rm -rf build/ci
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON
cmake --build build/ci -j "$jobs"
ctest --test-dir build/ci --output-on-failure -j "$jobs"

echo "== sanitizer build and test"
rm -rf build/asan
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON -DCORVANE_SANITIZE=ON
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=abort_on_error=1:detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"
