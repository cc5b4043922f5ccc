#!/usr/bin/env bash
# Takes the user guide's screenshots of the real program against the simulated analyser,
# under Xvfb: bash tools/screenshots.sh [BUILD_DIR [OUTDIR]]
# BUILD_DIR is a build with the tests (default build-test); OUTDIR defaults to docs/images.
# It fails when the program could not be driven through every step, so CI runs it as a smoke
# test (the pictures themselves are not compared).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
out=${2:-docs/images}
cmake --build "$build" -j2 --target tq4800_screenshots
mkdir -p "$out"
# Leaks of the display libraries at exit are not ours to judge here.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$build/tools/screenshots/tq4800_screenshots" "$out"
