#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine (run as root or via sudo).
# "install-deps.sh windows" adds the Windows cross-build of the core and Wine to run its tests.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev qt6-serialport-dev
          libgl-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth fonts-liberation
          poppler-utils python3 dpkg-dev file desktop-file-utils appstream)
if [ "${1:-}" = windows ]; then
  packages+=(g++-mingw-w64-x86-64-posix googletest wine64)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
