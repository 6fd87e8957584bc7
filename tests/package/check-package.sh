#!/usr/bin/env bash
# Unpacks the Debian package into a temporary root and checks what a user would get from installing it:
# the files in their places, dependencies found by dpkg-shlibdeps, valmora-cli giving on the demo script
# the same output as the build tree's, and the desktop program finding its help and terms of use.
# Usage: check-package.sh PACKAGE.deb BUILD_DIR SOURCE_DIR
set -euo pipefail
deb=$(realpath "$1")
build=$(realpath "$2")
source=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
installed=$work/root
dpkg-deb -x "$deb" "$installed"

fail() { echo "check-package: $*" >&2; exit 1; }

for f in usr/bin/valmora usr/bin/valmora-cli usr/share/valmora/Licenza.txt usr/share/valmora/help/indice.html \
         usr/share/applications/org.valmora.Valmora.desktop \
         usr/share/icons/hicolor/scalable/apps/org.valmora.Valmora.svg \
         usr/share/metainfo/org.valmora.Valmora.metainfo.xml; do
    [ -f "$installed/$f" ] || fail "$f manca nel pacchetto"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6charts6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "le dipendenze non nominano $lib: $depends"
done

# The same demo, in the same folder name, through the build tree's program and the installed one.
run_demo() {
    rm -rf "$work/demo" && mkdir "$work/demo"
    (cd "$work/demo" && env -u VALMORA_DATA_DIR QT_QPA_PLATFORM=offscreen "$1" "$source/docs/demo.vcli")
}
run_demo "$build/src/cli/valmora-cli" > "$work/built.txt" 2>&1
run_demo "$installed/usr/bin/valmora-cli" > "$work/installed.txt" 2>&1
diff -u "$work/built.txt" "$work/installed.txt" || fail "valmora-cli installato risponde diversamente sullo script dimostrativo"
[ -s "$work/installed.txt" ] || fail "valmora-cli installato non ha scritto nulla"

found=$(env -u VALMORA_DATA_DIR "$installed/usr/bin/valmora" --cartella-dati) ||
    fail "il programma installato non trova la guida o le condizioni di utilizzo"
[ "$found" = "$installed/usr/share/valmora" ] || fail "il programma installato prende i suoi file da $found"
echo "check-package: $(basename "$deb") a posto"
