#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer and runs them
# headless, after a short run of the fuzz targets and the core's tests cross-built for
# Windows and run under Wine. The Debian package is built; its check (tools/package-check.sh),
# the example test plans run through the real program and the user guide's screenshots run
# beside the suite. The benchmarks are built too, so that they keep compiling, but not run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh windows
build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTQ_SANITIZE=ON -DTQ_BUILD_BENCH=ON
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
bash tools/fuzz-smoke.sh
bash tools/test-windows.sh
# The Debian package is built here; installed, started, run and removed beside the suite.
bash tools/package-check.sh build
# The example plans run against the paced simulated analyser, the screenshots wait on the
# simulated sweeps and the range change, and so does the package's check: beside the suite.
bash tools/package-check.sh check >"$build/package-check.log" 2>&1 &
package=$!
bash tools/run-examples.sh "$build/tq4800" >"$build/run-examples.log" 2>&1 &
examples=$!
bash tools/screenshots.sh "$build" "$build/guide-screenshots" >"$build/screenshots.log" 2>&1 &
shots=$!
(cd "$build" && ctest --output-on-failure -j2 --timeout 300)
status=0
wait "$examples" || status=$?
cat "$build/run-examples.log"
wait "$shots" || status=$?
cat "$build/screenshots.log"
wait "$package" || status=$?
cat "$build/package-check.log"
exit "$status"
