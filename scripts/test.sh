#!/usr/bin/env bash
# Builds everything and runs every test (the command .ci/run calls).
#   --sanitize  the same in a folder of its own (build-san) with AddressSanitizer
#               and UndefinedBehaviorSanitizer; the first report ends the test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${KMK_BUILD_DIR:-build}
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  build=${KMK_BUILD_DIR:-build-san}
  # Every report ends the test, but for one check that Qt's own headers trip
  # (it goes on only where scripts/ubsan.supp names the place).
  san="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -fsanitize-recover=nonnull-attribute"
  flags=(-DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" -DCMAKE_SHARED_LINKER_FLAGS="$san")
  export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1:suppressions=$PWD/scripts/ubsan.supp}
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${flags[@]}" >/dev/null
cmake --build "$build" -j"${KMK_JOBS:-$(nproc)}"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"${KMK_JOBS:-$(nproc)}"
