#!/usr/bin/env bash
# The demo command keeps what a user typed into its folder: it lays the
# folder out only when missing, removes it only with --neu, and never a
# folder it did not lay out itself. Runs the real script in a copy of the
# tree, with the build, the layout tool and the program stubbed, and every
# call of rm logged.
#   run-demo-test.sh <path of scripts/run-demo.sh>
set -euo pipefail
skript=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
echtes_rm=$(command -v rm)
tmp=$(mktemp -d)
trap '"$echtes_rm" -rf -- "$tmp"' EXIT
fehler=0
pruefe() {  # <description> <command...>
    local was=$1
    shift
    if ! "$@"; then
        echo "FEHLER: $was" >&2
        fehler=1
    fi
}

baum=$tmp/baum
mkdir -p "$baum/scripts" "$baum/tools/layout" "$tmp/bin"
cp "$skript" "$baum/scripts/run-demo.sh"
echo 'exit 0' >"$baum/scripts/deps.sh"
cat >"$baum/tools/layout/make-program-folder.sh" <<'STUB'
mkdir -p "$2"
echo angelegt >>"$KMK_TEST_LOG/layout"
echo "jahr" >"$2/DTSD.kxt"
printf '#!/bin/sh\necho "$@" >>"$KMK_TEST_LOG/start"\n' >"$2/Kilometrika"
chmod +x "$2/Kilometrika"
STUB
printf '#!/bin/sh\nexit 0\n' >"$tmp/bin/cmake"
echo "#!/bin/sh
echo \"\$*\" >>\"\$KMK_TEST_LOG/rm\"
exec $echtes_rm \"\$@\"" >"$tmp/bin/rm"
# The built program, started on a folder that holds none of its own.
mkdir -p "$baum/build-demo/bin"
printf '#!/bin/sh\necho "$@" >>"$KMK_TEST_LOG/start"\n' >"$baum/build-demo/bin/Kilometrika"
chmod +x "$tmp/bin/"* "$baum/build-demo/bin/Kilometrika"

export KMK_TEST_LOG=$tmp/log DISPLAY=:kmk-test PATH="$tmp/bin:$PATH"
unset KMK_DEMO_DIR
demo=$baum/demo
lauf() {  # runs the demo command; its messages in $tmp/meldungen, its status in $status
    "$echtes_rm" -rf -- "$KMK_TEST_LOG"
    mkdir -p "$KMK_TEST_LOG"
    : >"$KMK_TEST_LOG/rm"
    status=0
    bash "$baum/scripts/run-demo.sh" "$@" 2>"$tmp/meldungen" >/dev/null || status=$?
}
zeilen() { grep -c -- "$1" "$tmp/meldungen" || true; }

# First run: the folder is laid out and the program started on it.
lauf
pruefe "erster Lauf legt an" test "$status" = 0 -a -f "$demo/DTSD.kxt" -a -f "$KMK_TEST_LOG/layout"
pruefe "erster Lauf startet den Ordner" grep -qx -- "$demo" "$KMK_TEST_LOG/start"
pruefe "erster Lauf entfernt nichts" test ! -s "$KMK_TEST_LOG/rm"

# A trip typed in, a backup made: a second run keeps both and says so once.
echo Fahrt >"$demo/Auto1_26.dat"
mkdir -p "$demo/Sicherheit" && echo Kopie >"$demo/Sicherheit/Auto1_26.dat"
lauf
pruefe "zweiter Lauf behält die Fahrt" grep -qx Fahrt "$demo/Auto1_26.dat"
pruefe "zweiter Lauf behält die Sicherung" test -f "$demo/Sicherheit/Auto1_26.dat"
pruefe "zweiter Lauf legt nicht an" test ! -e "$KMK_TEST_LOG/layout"
pruefe "zweiter Lauf sagt es in einer Zeile" test "$(zeilen 'Vorhandener Demo-Programmordner')" = 1
pruefe "zweiter Lauf entfernt nichts" test ! -s "$KMK_TEST_LOG/rm"
pruefe "zweiter Lauf startet den Ordner" grep -qx -- "$demo" "$KMK_TEST_LOG/start"

# An empty folder holds nothing to lose: laid out, nothing removed.
"$echtes_rm" -rf -- "$demo" && mkdir "$demo"
lauf
pruefe "leerer Ordner wird angelegt" test -f "$demo/DTSD.kxt" -a ! -s "$KMK_TEST_LOG/rm"

# --neu says what it removes, then lays out a fresh folder.
echo Fahrt >"$demo/Auto1_26.dat"
lauf --neu
pruefe "--neu entfernt die Fahrt" test "$status" = 0 -a ! -e "$demo/Auto1_26.dat" -a -f "$demo/DTSD.kxt"
pruefe "--neu sagt, was es entfernt" grep -q -- "--neu: $demo wird entfernt" "$tmp/meldungen"

# A folder of the user's own named as the demo folder: kept, even with --neu.
eigen=$tmp/Kilo2026
mkdir -p "$eigen" && echo Fahrt >"$eigen/Auto1_26.dat" && echo "jahr" >"$eigen/DTSD.kxt"
KMK_DEMO_DIR=$eigen lauf --neu
pruefe "eigener Ordner: --neu verweigert" test "$status" = 1 -a "$(zeilen 'nichts wird entfernt')" = 1
pruefe "eigener Ordner bleibt" grep -qx Fahrt "$eigen/Auto1_26.dat"
pruefe "eigener Ordner: kein rm" test ! -s "$KMK_TEST_LOG/rm"
KMK_DEMO_DIR=$eigen lauf
pruefe "eigener Ordner wird gestartet" grep -qx -- "$eigen" "$KMK_TEST_LOG/start"
pruefe "eigener Ordner bleibt beim Start" grep -qx Fahrt "$eigen/Auto1_26.dat"

lauf --alles-neu
pruefe "unbekannte Option abgewiesen" test "$status" = 2
pruefe "unbekannte Option entfernt nichts" test -f "$demo/DTSD.kxt" -a ! -s "$KMK_TEST_LOG/rm"

exit $fehler
