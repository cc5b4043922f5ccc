#!/usr/bin/env bash
# Cross-builds the core, the simulator's library and their tests for 64-bit Windows with
# MinGW-w64 and runs the tests under Wine, headless: the same tests as on Linux, without
# sanitizers or optimisation. Usage: bash tools/test-windows.sh [BUILD_DIR] (default build-win)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build-win}")
bash tools/install-deps.sh windows

cmake --preset windows-cross -B "$build" >/dev/null
nice cmake --build "$build" -j2

# Debian's wine64 package keeps its loader in /usr/lib/wine; the wine package adds a wrapper.
wine=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || command -v wine)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
# A prefix of the build's own, made without a display and without the Mono and Gecko
# installers (which would wait for a click).
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  rm -rf "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true
  "$wineserver" -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "could not make a Wine prefix in $WINEPREFIX" >&2; exit 1; }
fi

status=0
for test in tq_core_tests tq_sim_tests; do
  log="$build/$test.log"
  if ! (cd "$build" && timeout 900 "$wine" "tests/$test.exe" --gtest_brief=1) >"$log" 2>&1; then
    status=1
    cat "$log"
  fi
  grep -E '^\[ *(=+|PASSED|FAILED|SKIPPED) *\] [0-9]+ test' "$log" | sed "s/^/Windows (MinGW-w64, Wine) $test: /" ||
    echo "Windows (MinGW-w64, Wine) $test: no result"
done
"$wineserver" -k || true
exit "$status"
