#!/usr/bin/env bash
# ferwis.exe under wine, in a virtual X server with a window manager, driven
# as a person would: the main window shows at the design's size, both
# sceneries of the sample are selected in the scenery list, "Analizuj" is
# pressed, and the wynik.txt it writes must hold the checked records of the
# sample. "Wyświetl" then fills the result list, and a picture of the screen is
# kept for a person to look at.
#   windows_window_smoke.sh WINE BUILD_FOLDER SAMPLE CHECKED_RESULT SCREENSHOT
set -euo pipefail
wine=$1 build=$(realpath "$2") sample=$3 checked=$4 screenshot=$5
export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$(dirname "$0")/../../windows/wine_window.sh"

work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"' EXIT
# A failure keeps the picture of the screen too, to see what stood in the way.
fail() {
    [ -n "${DISPLAY:-}" ] && import -window root "$screenshot" 2>/dev/null || true
    echo "windows_window_smoke: $*" >&2
    exit 1
}

# Wine's desktop process takes the display of the first wine command of a
# prefix and keeps it while any program of the prefix runs: the X server comes
# first, and the window gets a prefix of its own, beside the one the other
# tests share without a display.
start_x "$work"
export WINEPREFIX="$build/wine-window"
wineserver --wait 2>/dev/null || true
own_prefix=$WINEPREFIX

# The program folder as the zip lays it out, and the sample below a folder
# with Polish letters, named in a Windows-1250 ferwis.ini by its Z: path.
program="$work/program"
mkdir -p "$program"
cp "$build"/ferwis.exe "$build"/*.dll "$program/"
cp -r "$build/platforms" "$build/styles" "$program/"
main="$work/Symulator Łódź"
cp -r "$sample" "$main"
mkdir -p "$work/kopia"
wmain="$(winepath -w "$main")\\"
printf '[sciezka_dostepu]\r\n%s\r\n[domyslne_rozszerzenie]\r\ndds\r\n' "$wmain" >"$work/ini"
printf '[sciezka_kopiowania_przesuwania]\r\n%s\\\r\n' "$(winepath -w "$work/kopia")" >>"$work/ini"
printf '[pomijane_foldery_pliki]\r\ntextures\\tabor\\\r\n' >>"$work/ini"
iconv -f UTF-8 -t CP1250 "$work/ini" >"$program/ferwis.ini"

start_program "$wine" "$program/ferwis.exe" "$work/ferwis.log"
window=$(main_window 90) || fail "no main window within 90 s: $(cat "$work/ferwis.log")"

# The design's client area, 14490 x 10665 twips, at wine's 96 dots per inch.
size=$(window_size "$window")
[ "$size" = 966x711 ] || fail "the main window's client area is $size, not 966x711"

# The scenery list (File1) lies at 16,24 px; a click on its first entry and
# Ctrl+A select both sceneries. "Analizuj" (Command1) is centred at 176,332.
click_at "$window" 60 34
xdotool key ctrl+a
click_at "$window" 176 332
for _ in $(seq 240); do
    [ -f "$program/wynik.txt" ] && [ ! -e "$program/wav_dynamic.txt" ] && break
    sleep 0.5
done
[ -f "$program/wynik.txt" ] || fail "no wynik.txt after pressing Analizuj: $(cat "$work/ferwis.log")"
same_as_checked "$program/wynik.txt" "$checked" "$wmain" >"$work/records.diff" ||
    fail "wynik.txt differs from the checked records: $(head -20 "$work/records.diff")"
echo "windows_window_smoke: $(wc -l <"$program/wynik.txt") records, the same as the checked ones"

# "Wyświetl" (Command2, centred at 624,128) lists the first category.
sleep 1
click_at "$window" 624 128
sleep 2
import -window root "$screenshot"
echo "windows_window_smoke: screenshot in $screenshot"
close_program "$window" || fail "the program did not end cleanly: $(cat "$work/ferwis.log")"
