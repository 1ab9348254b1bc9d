#!/usr/bin/env bash
# Builds everything and runs every test (the command .ci/run calls).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${KMK_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
