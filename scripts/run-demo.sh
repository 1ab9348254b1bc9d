#!/usr/bin/env bash
# Builds the program, lays out a fresh demo program folder for the current
# year and starts the program there (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --gui
build=${KMK_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

demo=${KMK_DEMO_DIR:-$PWD/demo}
rm -rf "$demo"
bash tools/layout/make-program-folder.sh "$build/bin" "$demo" "$(date +%Y)"

# The layout tool registers the control libraries into this file.
export KILOMETRIKA_REGISTRY="$demo/registry.ini"
prog="$demo/Kilometrika"
[[ -x "$prog" ]] || prog="$build/bin/Kilometrika"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "Keine Anzeige gefunden: Kilometrika läuft unter Xvfb." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$prog" "$demo"
fi
exec "$prog" "$demo"
