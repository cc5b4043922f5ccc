#!/usr/bin/env bash
# A fuzzing campaign: every target (or those named) for SECONDS each, one after another,
# from its seed corpus and dictionary. Prints executions, edges covered, crashes and slow
# units (over 10 s) per target; the inputs that crashed are kept in
# build-fuzz/campaign/TARGET/crashes/.
#   tools/fuzz-campaign.sh 600 [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: tools/fuzz-campaign.sh SECONDS [TARGET...]}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-fuzz -j2 >/dev/null
printf '| %-20s | %12s | %7s | %7s | %4s | %s\n' target executions edges crashes slow seconds
for target in "${targets[@]}"; do
  work=build-fuzz/campaign/$target
  mkdir -p "$work/corpus" "$work/crashes"
  dict=()
  [ -f "fuzz/dict/$target.dict" ] && dict=(-dict="fuzz/dict/$target.dict")
  start=$(date +%s)
  ./build-fuzz/$target -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/crashes/" "${dict[@]}" "$work/corpus" "fuzz/corpus/$target" \
    >"$work/log.txt" 2>&1 || true
  executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log.txt" | awk '{print $2}')
  edges=$(grep -oE 'cov: [0-9]+' "$work/log.txt" | tail -n 1 | awk '{print $2}')
  # Slow units are counted apart: they are timed on a machine that others may share.
  crashes=$(find "$work/crashes" -type f ! -name 'slow-unit-*' | wc -l)
  slow=$(find "$work/crashes" -type f -name 'slow-unit-*' | wc -l)
  printf '| %-20s | %12s | %7s | %7s | %4s | %s\n' "$target" "${executions:-0}" "${edges:-0}" \
    "$crashes" "$slow" "$(($(date +%s) - start))"
done
