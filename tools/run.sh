#!/usr/bin/env bash
# Builds the programs and starts one of them: on the simulated evaluation board, or with
# VERRIX_PARPORT=/dev/parport0 on a real parallel-port board (the environment is passed on).
# Usage: tools/run.sh [program] [settings-file]   (program defaults to corvane-eval)
set -euo pipefail
caller=$(pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
tools/deps.sh
program=${1:-corvane-eval}
shift || true
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build build/run -j "$(nproc)" --target "$program"
binary=$(find "$repo/build/run" -type f -name "$program" -perm -u+x | head -n 1)
# A settings file is named relative to where the command was given.
cd "$caller"
exec "$binary" "$@"
