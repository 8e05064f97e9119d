#!/usr/bin/env bash
# ferwis-cli built for Windows, run under wine on a generated installation whose
# folder and scenery carry Polish letters: analyse one scenery named by its
# Polish name, show a category, copy one category and delete another. Given a
# native ferwis-cli too, both platforms' result files must hold the same
# records once the main directory is set aside and "\" is read as "/".
#   windows_smoke.sh WINE FERWIS_CLI_EXE FERWIS_GENERATE_EXE [NATIVE_FERWIS_CLI]
set -euo pipefail
wine=$1 cli=$2 generate=$3 native=${4:-}
# Wine takes the command line's bytes in the code set of the locale.
export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$work/Instalacja Łódź"
mkdir -p "$out"
win() { winepath -w "$1" 2>/dev/null; }
wout=$(win "$out")
fail() { echo "windows_smoke: $*" >&2; exit 1; }
utf8() { iconv -f CP1250 -t UTF-8 "$1" | tr -d '\r'; }
files_below() { find "$1" -type f | wc -l; }

"$wine" "$generate" --size tiny --seed 12 "$wout" >/dev/null
main="$out/main"
scenery="Łódź Kaliska.scn"
mv "$main/scenery/linia_1.scn" "$main/scenery/$scenery"
ferwis=("$wine" "$cli" --config "$wout\\ferwis.ini" --result "$wout\\wynik.txt")

"${ferwis[@]}" analyze "$scenery" >"$work/analyze.out" 2>"$work/analyze.err" ||
    fail "analyze failed: $(cat "$work/analyze.err")"
result="$out/wynik.txt"
[ -s "$result" ] || fail "no wynik.txt"
utf8 "$result" >"$work/windows.txt"
grep -qF "\"$wout\\main\\scenery\\$scenery\",\"U\"" "$work/windows.txt" ||
    fail "the selected scenery is not a used row with a drive-letter path and \"\\\""
records=$(wc -l <"$work/windows.txt")
used=$(grep -c '","U"$' "$work/windows.txt" || true)
unused=$(grep -c '","N"$' "$work/windows.txt" || true)
echo "windows_smoke: $records records, $used used, $unused unused"
[ "$used" -gt 0 ] && [ "$unused" -gt 0 ] || fail "no used or no unused rows"

# The console gets UTF-8: the Polish letters of the paths arrive whole.
"${ferwis[@]}" show U >"$work/show.out" 2>&1 || fail "show failed"
grep -qF "Instalacja Łódź" "$work/show.out" || fail "show does not print the Polish letters"

if [ -n "$native" ]; then
    # The same installation analysed on this system, through a ferwis.ini that
    # names its folders the native way.
    iconv -f UTF-8 -t CP1250 >"$work/native.ini" <<INI
[sciezka_dostepu]
$main/
[domyslne_rozszerzenie]
dds
[sciezka_kopiowania_przesuwania]
$work/kopia-linux/
[pomijane_foldery_pliki]
textures/tabor/
inne/stare/
INI
    sed -i 's/$/\r/' "$work/native.ini"
    "$native" --config "$work/native.ini" --result "$work/native-wynik.txt" analyze "$scenery" \
        >/dev/null 2>"$work/native.err" || fail "native analyze failed: $(cat "$work/native.err")"
    # Records without the main directory (in lower case in the rows of missing
    # files) and with "/" between the levels; the order may differ, since "\"
    # sorts after the digits and "/" before them.
    normalise() { # FILE PREFIX
        local prefix=$2 lower=${2,,}
        tr -d '\r' <"$1" | while IFS= read -r line; do
            line=${line/#\""$prefix"/\"}
            line=${line/#\""$lower"/\"}
            printf '%s\n' "$line"
        done | sort
    }
    normalise "$work/windows.txt" "$wout\\main\\" | tr '\\' / >"$work/windows.norm"
    utf8 "$work/native-wynik.txt" >"$work/native.txt"
    normalise "$work/native.txt" "$main/" >"$work/native.norm"
    diff "$work/native.norm" "$work/windows.norm" >"$work/records.diff" ||
        fail "the records differ between the platforms: $(head -20 "$work/records.diff")"
    echo "windows_smoke: the same $(wc -l <"$work/native.norm") records as on this system"
fi

# Copy the used files: each lands below the copy/move path, the result stays.
"${ferwis[@]}" copy U --yes >"$work/copy.out" 2>&1 || fail "copy failed: $(cat "$work/copy.out")"
copied=$(files_below "$out/kopia")
[ "$copied" -eq "$used" ] || fail "copied $copied files of $used used ones"
[ -f "$result" ] || fail "a copy run removed wynik.txt"

# Delete the unused files: they are gone, and so is the result file.
before=$(files_below "$main")
"${ferwis[@]}" delete N --yes >"$work/delete.out" 2>&1 ||
    fail "delete failed: $(cat "$work/delete.out")"
after=$(files_below "$main")
[ $((before - after)) -eq "$unused" ] || fail "deleted $((before - after)) files of $unused unused"
[ ! -e "$result" ] || fail "a delete run left wynik.txt"
echo "windows_smoke: copied $copied, deleted $unused"
