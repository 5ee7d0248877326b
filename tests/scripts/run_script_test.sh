#!/usr/bin/env bash
# ./run on a fresh clone without a display: the hint comes before any build,
# and only the arguments that open the main window ask for a display.
set -uo pipefail
root=$1
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }

fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
mkdir -p "$fresh/scripts"
cp "$root/run" "$fresh/"
cp "$root/scripts/setup.sh" "$fresh/scripts/"

for args in "" "--data /tmp/a" "--port COM1=/dev/ttyUSB0 --data=/tmp/a"; do
    start=$(date +%s%N)
    # shellcheck disable=SC2086 # the cases are word lists
    stderr=$(env -u DISPLAY -u WAYLAND_DISPLAY "$fresh/run" $args 2>&1 >/dev/null)
    rc=$?
    elapsed=$((($(date +%s%N) - start) / 1000000))
    [ "$rc" -eq 1 ] || fail "./run $args: Rückgabewert $rc statt 1"
    [ "$stderr" = "Kein Bildschirm gefunden (DISPLAY ist leer). Starten Sie das Programm in einer grafischen Sitzung oder mit: xvfb-run -a ./run" ] ||
        fail "./run $args: Meldung \"$stderr\""
    [ ! -e "$fresh/build" ] || fail "./run $args: hat vor der Meldung gebaut"
    [ "$elapsed" -lt 5000 ] || fail "./run $args: $elapsed ms"
done

# shellcheck source=/dev/null
source "$root/scripts/setup.sh"
# arguments | opens the window
while IFS='|' read -r args expected; do
    # shellcheck disable=SC2086
    if ztd_opens_window $args; then got=ja; else got=nein; fi
    [ "$got" = "$expected" ] || fail "ztd_opens_window $args: $got statt $expected"
done <<'CASES'
|ja
--data /tmp/a|ja
--data=/tmp/a --port COM2=/dev/ttyS1|ja
--help|nein
-h|nein
--version|nein
--data /tmp/a --export out.txt|nein
--print-pdf a.pro a.pdf|nein
--data|nein
--unbekannt|nein
datei.pro|nein
CASES

[ "$failures" -eq 0 ] && echo "alle Fälle bestanden"
exit $((failures > 0))
