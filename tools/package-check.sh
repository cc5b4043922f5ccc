#!/usr/bin/env bash
# The Debian package as a user gets it: builds it with CPack from a Release build (no
# sanitizers), installs it with apt-get, starts the installed program headless against the
# simulated analyser for a few seconds, runs an example test plan from the installed files
# when the program has --run, and removes the package again. The same Release build takes
# the user guide's screenshots under Xvfb (a smoke test of the whole window).
#   bash tools/package-check.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTQ_BUILD_TESTS=ON \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j2 --target tq4800 tq4800-sim tq_man tq4800_screenshots
rm -f "$build"/tq4800_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(realpath "$build"/tq4800_*.deb)
dpkg-deb --field "$deb" Package Version Architecture Depends

bash tools/screenshots.sh "$build" "$build/screenshots"

work=$(mktemp -d)
remove() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq tq4800 >/dev/null || true
  rm -rf "$work"
}
trap remove EXIT
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$deb" >/dev/null

fail() {
  echo "package check: $*" >&2
  exit 1
}
for f in /usr/bin/tq4800 /usr/bin/tq4800-sim /usr/share/tq4800/limit.def \
  /usr/share/tq4800/help/0-contents.html /usr/share/man/man1/tq4800.1.gz \
  /usr/share/man/man1/tq4800-sim.1.gz /usr/share/applications/uk.co.veltrane.TQ4800.desktop \
  /usr/share/icons/hicolor/48x48/apps/tq4800.png /usr/share/metainfo/uk.co.veltrane.TQ4800.metainfo.xml; do
  [ -e "$f" ] || fail "$f is not installed"
done
command -v desktop-file-validate >/dev/null && desktop-file-validate /usr/share/applications/uk.co.veltrane.TQ4800*.desktop
command -v appstreamcli >/dev/null && appstreamcli validate --no-net /usr/share/metainfo/uk.co.veltrane.TQ4800.metainfo.xml >/dev/null

# The installed program, started from outside the source tree, must keep running and copy the
# shipped data from where it is installed.
rc=0
(cd "$work" && QT_QPA_PLATFORM=offscreen timeout 8 tq4800 --simulate --data-root "$work/root") \
  >"$work/out.txt" 2>&1 || rc=$?
[ "$rc" -eq 124 ] || { cat "$work/out.txt"; fail "tq4800 --simulate ended with $rc"; }
cmp -s /usr/share/tq4800/limit.def "$work/root/drive_c/tq4800/limit.def" || fail "no data copied"

if tq4800 --help 2>/dev/null | grep -q -- "--run"; then
  rc=0
  (cd "$work" && tq4800 --run /usr/share/doc/tq4800/examples/en55022-radiated.ini --simulate \
    --data-root "$work/root" --out "$work/run") || rc=$?
  # 0 pass, 1 a test failed: both are a completed run.
  [ "$rc" -le 1 ] || fail "tq4800 --run ended with $rc"
  ls "$work/run"
fi
echo "package check: $(basename "$deb") installs, starts and is removed"
