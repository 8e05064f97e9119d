#!/usr/bin/env bash
# The Windows zip as a user gets it: unpacked into an empty folder and run in a
# fresh wine prefix, with the example ferwis.ini unchanged. The sample
# installation lies where that file looks for it (C:\Symulator\); ferwis-cli
# analyses it to the checked records, and ferwis.exe shows its main window.
# The version of the zip's name is the one ferwis-cli and the version
# resources say.
#   check_package.sh ZIP SAMPLE CHECKED_RESULT
set -euo pipefail
zip=$(realpath "$1") sample=$(realpath "$2") checked=$(realpath "$3")
export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$(dirname "$0")/wine_window.sh"

work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"' EXIT
fail() { echo "check_package: $*" >&2; exit 1; }

name=$(basename "$zip" .zip)
version=${name#ferwis-}
version=${version%-windows-x64}
# A folder with a blank and Polish letters, as a user may choose.
mkdir "$work/Programy Łódź"
unzip -q "$zip" -d "$work/Programy Łódź"
program="$work/Programy Łódź/$name"
for file in ferwis.exe ferwis-cli.exe ferwis.ini README.txt platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll; do
    [ -f "$program/$file" ] || fail "$file is not in the zip"
done
# Windows-1250 with CR LF, as the program reads it.
iconv -f CP1250 -t UTF-8 "$program/ferwis.ini" >/dev/null || fail "ferwis.ini is not Windows-1250"
grep -qv $'\r$' "$program/ferwis.ini" && fail "ferwis.ini has a line without CR LF"

# Wine's desktop process takes the display of the first wine command of a
# prefix: the X server comes first.
start_x "$work"
export WINEPREFIX="$work/wine"
own_prefix=$WINEPREFIX
wineboot --init >/dev/null 2>&1 || true
wineserver --wait
cp -r "$sample" "$WINEPREFIX/drive_c/Symulator"
mkdir "$WINEPREFIX/drive_c/Kopia"

said=$(wine "$program/ferwis-cli.exe" --version | tr -d '\r')
[ "$said" = "ferwis-cli $version" ] || fail "ferwis-cli --version says \"$said\", the zip $version"
for exe in ferwis.exe ferwis-cli.exe; do
    # The resource's texts are UTF-16: without the zero bytes, ASCII.
    wrestool -x --raw --type=16 "$program/$exe" | tr -d '\0' | grep -aq "ProductVersion$version" ||
        fail "the version resource of $exe is not $version"
done

(cd "$program" && wine ./ferwis-cli.exe analyze --all >"$work/analyze.out" 2>&1) ||
    fail "ferwis-cli analyze failed: $(cat "$work/analyze.out")"
same_as_checked "$program/wynik.txt" "$checked" 'C:\Symulator\' >"$work/records.diff" ||
    fail "wynik.txt differs from the checked records: $(head -20 "$work/records.diff")"
echo "check_package: ferwis-cli $version analysed the sample to the checked records"

start_program wine "$program/ferwis.exe" "$work/ferwis.log"
window=$(main_window 120) || fail "ferwis.exe showed no main window: $(cat "$work/ferwis.log")"
echo "check_package: ferwis.exe shows its main window ($(window_size "$window"))"
close_program "$window" || fail "ferwis.exe did not end cleanly: $(cat "$work/ferwis.log")"
