#!/usr/bin/env bash
# `cmake --install` into an empty prefix: the program, the simulator, the menu
# entry, the icon, the AppStream file, the help pages and Qt's German texts.
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FEHLER: cmake --install"; exit 1; }

failures=0
for file in bin/ztd bin/ztd-sim \
    share/applications/de.veltrax.ztd.desktop \
    share/icons/hicolor/scalable/apps/de.veltrax.ztd.svg \
    share/metainfo/de.veltrax.ztd.metainfo.xml \
    share/doc/ztd/hilfe/index.html share/doc/ztd/hilfe/style.css \
    share/ztd/translations/qtbase_de.qm; do
    [ -s "$prefix/$file" ] || { echo "FEHLER: $file fehlt"; failures=$((failures + 1)); }
done
[ -x "$prefix/bin/ztd" ] || { echo "FEHLER: bin/ztd nicht ausführbar"; failures=$((failures + 1)); }

desktop="$prefix/share/applications/de.veltrax.ztd.desktop"
for line in "Exec=ztd" "Icon=de.veltrax.ztd" "Categories=Utility;Electronics;" "Name[de]=ztd Prüfprotokolle"; do
    grep -qxF "$line" "$desktop" || { echo "FEHLER: \"$line\" fehlt im Menüeintrag"; failures=$((failures + 1)); }
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || failures=$((failures + 1))
fi
# The installed program runs from its new place.
version=$("$prefix/bin/ztd" --version) || { echo "FEHLER: ztd --version"; failures=$((failures + 1)); }
case "$version" in ztd\ *) ;; *) echo "FEHLER: Version \"$version\""; failures=$((failures + 1)) ;; esac

[ "$failures" -eq 0 ] && echo "Installation vollständig"
exit $((failures > 0))
