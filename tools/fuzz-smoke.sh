#!/usr/bin/env bash
# A short run of every fuzz target from its seed corpus (a smoke test, not a campaign).
set -euo pipefail
cd "$(dirname "$0")/.."
CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-fuzz -j2
for source in fuzz/*_fuzz.cpp; do
  target=$(basename "$source" .cpp)
  work=$(mktemp -d)
  dict=()
  [ -f "fuzz/dict/$target.dict" ] && dict=(-dict="fuzz/dict/$target.dict")
  ./build-fuzz/$target -max_total_time=${FUZZ_SECONDS:-7} -timeout=10 -print_final_stats=0 \
    "${dict[@]}" "$work" "fuzz/corpus/$target" 2>&1 | tail -n 2
  rm -rf "$work"
done
