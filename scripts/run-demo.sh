#!/usr/bin/env bash
# Builds the program and starts it on the demo program folder for the
# current year (under Xvfb when there is no display):
#   run-demo.sh          lays the folder out when it is missing, else starts
#                        the existing one: trips, trip memory and backups typed
#                        into it stay
#   run-demo.sh --neu    removes the demo folder first and lays out a fresh one
# The folder is ./demo, or the one named in KMK_DEMO_DIR.
# Only what the demo starts is built: the program, its three libraries and
# the installation tools of the layout, in a build folder of its own, so
# the test binaries of scripts/test.sh are not waited for.
set -euo pipefail

neu=false
for arg in "$@"; do
    case $arg in
        --neu) neu=true ;;
        *)
            echo "Aufruf: $0 [--neu]   (--neu: den Demo-Programmordner mit allen Daten darin neu anlegen)" >&2
            exit 2
            ;;
    esac
done

cd "$(dirname "$0")/.."
demo=${KMK_DEMO_DIR:-$PWD/demo}
# Put in by this script when it lays the folder out: --neu removes no
# folder without it, so a mistyped KMK_DEMO_DIR cannot cost a user's files.
marke=.kilometrika-demo

angelegt() { [[ -f "$1/$marke" || ( "$1" == "$PWD/demo" && -f "$1/DTSD.kxt" ) ]]; }

if $neu && [[ -e "$demo" ]] && ! angelegt "$demo"; then
    echo "--neu: $demo ist kein vom Demo-Befehl angelegter Programmordner ($marke fehlt); nichts wird entfernt." >&2
    exit 1
fi

bash scripts/deps.sh --gui
build=${KMK_DEMO_BUILD_DIR:-build-demo}
ziele=(Kilometrika QKCAL32 QKSPIN32 Netzladen dtsd-schreiben kmk-icons kmk-regsvr)

echo "Build wird eingerichtet in $build ..." >&2
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "Kilometrika, QKCAL32, QKSPIN32, Netzladen und die Installationswerkzeuge werden gebaut ..." >&2
cmake --build "$build" -j"$(nproc)" --target "${ziele[@]}"

if $neu && [[ -e "$demo" ]]; then
    echo "--neu: $demo wird entfernt, mit allem, was darin liegt ($(find "$demo" -type f | wc -l) Dateien: Fahrten, Fahrtenspeicher, Sicherungen, Einstellungen)." >&2
    rm -rf -- "$demo"
fi

if [[ -d "$demo" && -n "$(ls -A "$demo")" ]]; then
    echo "Vorhandener Demo-Programmordner wird gestartet, seine Daten bleiben: $demo (neu anlegen mit --neu)" >&2
else
    echo "Demo-Programmordner wird angelegt: $demo" >&2
    bash tools/layout/make-program-folder.sh "$build/bin" "$demo" "$(date +%Y)"
    : >"$demo/$marke"
fi

# The layout tool registers the control libraries into this file.
export KILOMETRIKA_REGISTRY="$demo/registry.ini"
prog="$demo/Kilometrika"
[[ -x "$prog" ]] || prog="$build/bin/Kilometrika"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "Keine Anzeige gefunden: Kilometrika läuft unter Xvfb." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$prog" "$demo"
fi
exec "$prog" "$demo"
