#!/usr/bin/env bash
# Builds the program, lays out a fresh demo program folder for the current
# year and starts the program there (under Xvfb when there is no display).
# Only what the demo starts is built: the program, its three libraries and
# the installation tools of the layout, in a build folder of its own, so
# the test binaries of scripts/test.sh are not waited for.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --gui
build=${KMK_DEMO_BUILD_DIR:-build-demo}
ziele=(Kilometrika QKCAL32 QKSPIN32 Netzladen dtsd-schreiben kmk-icons kmk-regsvr)

echo "Build wird eingerichtet in $build ..." >&2
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "Kilometrika, QKCAL32, QKSPIN32, Netzladen und die Installationswerkzeuge werden gebaut ..." >&2
cmake --build "$build" -j"$(nproc)" --target "${ziele[@]}"

demo=${KMK_DEMO_DIR:-$PWD/demo}
echo "Demo-Programmordner wird angelegt: $demo" >&2
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
