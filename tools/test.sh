#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer and runs them
# headless, after a short run of the fuzz targets and the core's tests cross-built for
# Windows and run under Wine. The benchmarks are built too, so that they keep compiling,
# but not run. The user guide's screenshots are taken (tools/screenshots.sh) and the Debian
# package is checked (tools/package-check.sh).
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
# The user guide's screenshots, taken with the test build: a smoke test of the whole window.
bash tools/screenshots.sh "$build" "$build/guide-screenshots"
# The Debian package: built, installed, started, run and removed.
bash tools/package-check.sh
(cd "$build" && ctest --output-on-failure -j2 --timeout 300)
