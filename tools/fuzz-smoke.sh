#!/usr/bin/env bash
# A short run of every fuzz target (a smoke test, not a campaign).
set -euo pipefail
cd "$(dirname "$0")/.."
CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-fuzz -j2
for target in receive_fuzz settings_fuzz usb_fuzz limit_reader_fuzz result_reader_fuzz; do
  ./build-fuzz/$target -max_total_time=${FUZZ_SECONDS:-15} -print_final_stats=0 2>&1 | tail -n 3
done
