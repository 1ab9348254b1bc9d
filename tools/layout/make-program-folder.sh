#!/usr/bin/env bash
# Lays out a fresh program folder from a build:
#   make-program-folder.sh <build-bin-dir> <target-folder> [year]
# Writes "DTSD.kxt" (brand "Kxt", meal-allowance rates 14 and 28 euros),
# draws the window icons, copies the program, its libraries and the
# installation files (and speaks the message sounds when espeak-ng is
# there), and registers the libraries into <target-folder>/registry.ini
# when the registration program exists.
# Optional pieces that are missing are skipped with a note.
set -euo pipefail

if [[ $# -lt 2 || $# -gt 3 ]]; then
    echo "Aufruf: $0 <build-bin-ordner> <zielordner> [jahr]" >&2
    exit 2
fi

bin=$(cd "$1" && pwd)
ziel=$2
jahr=${3:-$(date +%Y)}
marke=Kxt
teiltag=14
volltag=28

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
quelle=$(cd "$here/../.." && pwd)

hinweis() { echo "make-program-folder: $*" >&2; }

if [[ ! -x "$bin/dtsd-schreiben" ]]; then
    hinweis "dtsd-schreiben fehlt in $bin (zuerst bauen)."
    exit 1
fi

mkdir -p "$ziel"
ziel=$(cd "$ziel" && pwd)

# First, so that a year the program cannot process stops before anything
# else is copied.
"$bin/dtsd-schreiben" "$ziel" "$jahr" "$marke" "$teiltag" "$volltag"

if [[ -x "$bin/kmk-icons" ]]; then
    "$bin/kmk-icons" "$ziel" || hinweis "Fenstersymbole nicht erzeugt."
else
    hinweis "kmk-icons fehlt, keine Fenstersymbole."
fi

if [[ -x "$bin/Kilometrika" ]]; then
    cp -f "$bin/Kilometrika" "$ziel/"
else
    hinweis "Programm Kilometrika fehlt in $bin, übersprungen."
fi

for lib in libQKCAL32.so libQKSPIN32.so libNetzladen.so; do
    if [[ -f "$bin/$lib" ]]; then
        cp -f "$bin/$lib" "$ziel/"
    else
        hinweis "$lib fehlt, übersprungen."
    fi
done

if [[ -d "$quelle/install" ]]; then
    # Everything but the sound script, which runs once below.
    for eintrag in "$quelle/install/"* "$quelle/install/".[!.]*; do
        [[ -e "$eintrag" ]] || continue
        [[ "$(basename "$eintrag")" == make-sounds.sh ]] && continue
        cp -rfT "$eintrag" "$ziel/$(basename "$eintrag")"
    done
    if [[ -f "$quelle/install/make-sounds.sh" ]]; then
        sh "$quelle/install/make-sounds.sh" "$ziel" || hinweis "Sprachdateien nicht vollständig erzeugt."
    fi
else
    hinweis "Kein Ordner install/ mit Installationsdateien, übersprungen."
fi

if [[ -x "$bin/kmk-regsvr" ]]; then
    export KILOMETRIKA_REGISTRY="$ziel/registry.ini"
    for lib in libQKCAL32.so libQKSPIN32.so libNetzladen.so; do
        if [[ -f "$ziel/$lib" ]]; then
            "$bin/kmk-regsvr" "$ziel/$lib" || hinweis "Registrierung von $lib fehlgeschlagen."
        fi
    done
else
    hinweis "kmk-regsvr fehlt, Bibliotheken nicht registriert."
fi

echo "Programmordner angelegt: $ziel (Jahr $jahr)"
if [[ -f "$ziel/registry.ini" ]]; then
    echo "Start: KILOMETRIKA_REGISTRY=\"$ziel/registry.ini\" \"$ziel/Kilometrika\""
fi
