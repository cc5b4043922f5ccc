#!/usr/bin/env bash
# The soak (outside CI): 1000 unpaced sweeps cycling average 8/16/32 and peak hold, with
# > STORE every 100 sweeps and a result file every 50, then a 2000-sample single frequency,
# on a Release build. Prints its figures and writes them into docs/reliability.md between
# the soak markers.
#   tools/soak.sh [SWEEPS] [SAMPLES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTQ_BUILD_BENCH=ON \
  -DTQ_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target tq_bench_soak >/dev/null
out=$(mktemp)
status=0
"./$build/bench/tq_bench_soak" "${1:-1000}" "${2:-2000}" | tee "$out" || status=$?
machine="$(nproc) cores of $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs),"
machine+=" $(free -g | awk '/Mem:/ {print $2}') GB, $(date +%Y-%m-%d), exit status $status"
doc=docs/reliability.md
if grep -q '<!-- soak -->' "$doc"; then
  {
    sed -n '1,/<!-- soak -->/p' "$doc"
    echo '```'
    cat "$out"
    echo '```'
    echo
    echo "Machine: $machine."
    sed -n '/<!-- \/soak -->/,$p' "$doc"
  } >"$doc.new"
  mv "$doc.new" "$doc"
fi
rm -f "$out"
exit $status
