#!/bin/sh
# Starts one GUI test binary. On X (QT_QPA_PLATFORM=xcb) every binary gets an
# X server of its own when xvfb-run is there: binaries that ctest -j runs side
# by side would otherwise share one pointer and one keyboard focus, and move
# and activate each other's windows. Offscreen needs no display.
if [ "$QT_QPA_PLATFORM" = xcb ] && command -v xvfb-run >/dev/null 2>&1; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
fi
exec "$@"
