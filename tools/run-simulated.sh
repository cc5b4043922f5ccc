#!/usr/bin/env bash
# Builds the program and starts it against the built-in simulated analyser.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTQ_BUILD_TESTS=OFF
cmake --build build -j2 --target tq4800 tq4800-sim tq_data
exec ./build/tq4800 --simulate "$@"
