#!/usr/bin/env bash
# The Debian package as a user gets it: builds the two programs in Release (no sanitizers,
# no tests) and the package with CPack, installs it with apt-get, checks the desktop entries
# and the AppStream metainfo, starts the installed program as the menu's "Simulated Analyser"
# entry does, headless, for a few seconds, runs the example conducted test plan from the
# installed files, and removes the package again.
#   bash tools/package-check.sh [all|build|check] [BUILD_DIR]   (default: all build-release)
# "build" only makes the package; "check" installs and checks the one made before.
set -euo pipefail
cd "$(dirname "$0")/.."
phase=${1:-all}
build=${2:-build-release}
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ "$phase" != check ]; then
  # -O2 as Debian builds its packages; a compiler cache where there is one.
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)" -DTQ_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
  cmake --build "$build" -j2 --target tq4800 tq4800-sim tq_man
  rm -f "$build"/tq4800_*.deb
  (cd "$build" && cpack -G DEB >/dev/null)
fi
deb=$(realpath "$build"/tq4800_*.deb)
dpkg-deb --field "$deb" Package Version Architecture Depends
[ "$phase" != build ] || exit 0

fail() {
  echo "package check: $*" >&2
  exit 1
}
work=$(mktemp -d)
remove() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq tq4800 >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap remove EXIT
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$deb" >/dev/null

app=/usr/share/applications/uk.co.veltrane.TQ4800
for f in /usr/bin/tq4800 /usr/bin/tq4800-sim /usr/share/tq4800/limit.def \
  /usr/share/tq4800/help/0-contents.html /usr/share/man/man1/tq4800.1.gz \
  /usr/share/man/man1/tq4800-sim.1.gz "$app.desktop" "$app.Simulated.desktop" \
  /usr/share/icons/hicolor/scalable/apps/tq4800.svg /usr/share/icons/hicolor/48x48/apps/tq4800.png \
  /usr/share/metainfo/uk.co.veltrane.TQ4800.metainfo.xml /usr/share/doc/tq4800/user-guide.md \
  /usr/share/doc/tq4800/examples/en55022-conducted.ini; do
  [ -e "$f" ] || fail "$f is not installed"
done
desktop-file-validate "$app.desktop" "$app.Simulated.desktop"
appstreamcli validate --no-net /usr/share/metainfo/uk.co.veltrane.TQ4800.metainfo.xml >/dev/null

# The example plan from the installed files, against the simulated analyser; it waits on the
# paced line, so the menu's entry is started meanwhile.
(cd "$work" && tq4800 --run /usr/share/doc/tq4800/examples/en55022-conducted.ini --simulate \
  --data-root "$work/run-root" --out "$work/run" --quiet) &
plan=$!

# The menu's entry, started from outside the source tree: it must keep running and copy the
# shipped data from where it is installed.
read -ra exec_line < <(sed -n 's/^Exec=//p' "$app.Simulated.desktop")
rc=0
(cd "$work" && QT_QPA_PLATFORM=offscreen timeout 8 "${exec_line[@]}" --data-root "$work/root") \
  >"$work/out.txt" 2>&1 || rc=$?
[ "$rc" -eq 124 ] || { cat "$work/out.txt"; fail "${exec_line[*]} ended with $rc"; }
cmp -s /usr/share/tq4800/limit.def "$work/root/drive_c/tq4800/limit.def" || fail "no data copied"

rc=0
wait "$plan" || rc=$?
# 0 pass, 1 a test failed: both are a completed run.
[ "$rc" -le 1 ] || fail "tq4800 --run ended with $rc"
for f in summary.json junit.xml; do [ -s "$work/run/$f" ] || fail "the run wrote no $f"; done
ls "$work/run"/*.pdf >/dev/null || fail "the run wrote no report"

DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq tq4800 >/dev/null
[ ! -e /usr/bin/tq4800 ] || fail "the package left /usr/bin/tq4800 behind"
echo "package check: $(basename "$deb") installs, starts, runs a plan and is removed"
