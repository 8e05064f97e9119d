#!/usr/bin/env bash
# The Debian package as a user gets it: its name, file list, dependencies and
# lintian's verdict; then unpacked (dpkg-deb -x) into an empty root, both
# programs run from there with a home folder of their own. ferwis-cli says
# where things live, finds no settings and says how to make them, makes them
# (init) and analyses the sample to the checked records; the window, in a
# virtual X server, asks for the main directory at its first start, is given
# the sample and opens its main window with its icon. Pictures of both steps
# are kept beside the package.
#   check_deb.sh DEB SAMPLE CHECKED_RESULT
set -euo pipefail
deb=$(realpath "$1") sample=$(realpath "$2") checked=$(realpath "$3")
export LC_ALL=C.UTF-8
# The X server, the window manager and the comparison of records that the
# Windows checks use serve here too.
source "$(dirname "$0")/../windows/wine_window.sh"

work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"' EXIT
pictures=$(dirname "$deb")
fail() {
    [ -n "${DISPLAY:-}" ] && import -window root "$pictures/check_deb_failure.png" 2>/dev/null || true
    echo "check_deb: $*" >&2
    exit 1
}

version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "ferwis_${version}_amd64.deb" ] || fail "$(basename "$deb") is not named for $version"
expected=$(
    printf './usr/bin/%s\n' ferwis ferwis-cli
    printf './usr/share/%s\n' applications/ferwis.desktop doc/ferwis/README.md \
        doc/ferwis/changelog.gz doc/ferwis/copyright icons/hicolor/scalable/apps/ferwis.svg \
        man/man1/ferwis.1.gz man/man1/ferwis-cli.1.gz
    for size in 16 24 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${size}x${size}/apps/ferwis.png"
    done
)
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
diff <(sort <<<"$expected") "$work/files" >"$work/files.diff" ||
    fail "the file list differs (< expected, > in the package): $(cat "$work/files.diff")"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libglib2.0-0 libstdc++6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
lintian --no-tag-display-limit "$deb" >"$work/lintian" 2>&1 || true
grep '^E:' "$work/lintian" && fail "lintian reports errors"
echo "check_deb: $(basename "$deb"): file list and dependencies as expected; lintian:" \
    "$(grep -c '^W:' "$work/lintian" || true) warnings, no errors"
sed -n 's/^W: /check_deb:   /p' "$work/lintian"

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/ferwis.desktop" || fail "the desktop entry is invalid"
cli=$root/usr/bin/ferwis-cli
export HOME=$work/home
unset XDG_CONFIG_HOME XDG_DATA_HOME QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME
mkdir "$HOME"

# Where things live, by default and with the freedesktop variables set.
"$cli" --paths >"$work/paths"
printf '%s\n' "layout: installed" "config: $HOME/.config/ferwis/ferwis.ini" \
    "result: $HOME/.local/share/ferwis/wynik.txt" \
    "places: $HOME/.local/share/ferwis/wynik_zrodla.txt" "data: $HOME/.local/share/ferwis/" \
    "journals: $HOME/.local/share/ferwis/dzienniki/" |
    diff - "$work/paths" || fail "ferwis-cli --paths differs"
XDG_CONFIG_HOME=$work/cfg XDG_DATA_HOME=relative "$cli" --paths | grep -qx "config: $work/cfg/ferwis/ferwis.ini" ||
    fail "ferwis-cli --paths does not follow XDG_CONFIG_HOME"

# No settings yet: said, with where it looked and how to make them.
status=0
"$cli" analyze --all >/dev/null 2>"$work/none" || status=$?
[ "$status" = 2 ] || fail "without ferwis.ini analyze ended with $status"
for said in "Brak pliku ferwis.ini" "Szukano w: $HOME/.config/ferwis/ferwis.ini" "ferwis-cli init KATALOG"; do
    grep -qF "$said" "$work/none" || fail "without ferwis.ini ferwis-cli does not say \"$said\": $(cat "$work/none")"
done

# ferwis-cli init writes the settings the window's first start writes;
# the sample lies below a folder with a blank and Polish letters.
main="$work/Symulator Łódź"
cp -r "$sample" "$main"
"$cli" init "$main" 2>"$work/init" || fail "ferwis-cli init failed: $(cat "$work/init")"
ini=$HOME/.config/ferwis/ferwis.ini
iconv -f CP1250 -t UTF-8 "$ini" | grep -qxF "$main/"$'\r' || fail "ferwis.ini does not name the sample in Windows-1250"
grep -qv $'\r$' "$ini" && fail "ferwis.ini has a line without CR LF"
status=0
"$cli" init "$main" 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "a second init ended with $status instead of leaving ferwis.ini"
# The checked records take textures/tabor/ as an exception: added to the
# empty skip list at the file's end, as a person would.
printf 'textures/tabor/\r\n' >>"$ini"
"$cli" analyze --all >"$work/analyze" 2>&1 || fail "ferwis-cli analyze failed: $(cat "$work/analyze")"
same_as_checked "$HOME/.local/share/ferwis/wynik.txt" "$checked" "$main/" >"$work/records.diff" ||
    fail "wynik.txt differs from the checked records: $(head -20 "$work/records.diff")"
echo "check_deb: ferwis-cli found no settings, wrote them (init) and analysed the sample to the checked records"

# The window's first start in a home of its own: the question, the folder
# dialog given the sample's path, then the main window.
export HOME=$work/window-home
mkdir "$HOME"
start_x "$work"
start_program env "$root/usr/bin/ferwis" "$work/ferwis.log"
box=$(main_window 60) || fail "the window asked nothing: $(cat "$work/ferwis.log")"
import -window root "$pictures/check_deb_first_start.png"
xdotool windowactivate --sync "$box" key Return
dialog=
for _ in $(seq 60); do
    dialog=$(xdotool search --onlyvisible --name 'katalog symulatora' 2>/dev/null | head -n 1 || true)
    [ -n "$dialog" ] && break
    sleep 0.5
done
[ -n "$dialog" ] || fail "no folder dialog followed the question: $(cat "$work/ferwis.log")"
cp -r "$sample" "$work/sym"
xdotool windowactivate --sync "$dialog" key ctrl+a type --delay 20 "$work/sym"
# The first Return may only close the name completion's list.
for _ in $(seq 60); do
    [ -f "$HOME/.config/ferwis/ferwis.ini" ] && break
    if xdotool search --onlyvisible --name 'katalog symulatora' >/dev/null 2>&1; then
        xdotool windowactivate --sync "$dialog" key Return 2>/dev/null || true
    fi
    sleep 1
done
[ -f "$HOME/.config/ferwis/ferwis.ini" ] || fail "the window wrote no ferwis.ini: $(cat "$work/ferwis.log")"
window=$(main_window 60) || fail "no main window after the first start: $(cat "$work/ferwis.log")"
xprop -id "$window" WM_CLASS _NET_WM_ICON >"$work/xprop" 2>&1 || true
grep -q 'WM_CLASS.*"ferwis", "Ferwis"' "$work/xprop" || fail "the window's class: $(head -c 300 "$work/xprop")"
grep -q '_NET_WM_ICON(CARDINAL) = ' "$work/xprop" || fail "the window has no icon"
sleep 1
import -window root "$pictures/check_deb_main_window.png"
echo "check_deb: the window asked for the main directory, wrote ferwis.ini and opened" \
    "($(window_size "$window"), with its icon)"
close_program "$window" || fail "ferwis did not end cleanly: $(cat "$work/ferwis.log")"
