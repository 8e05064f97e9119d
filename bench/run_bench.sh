#!/usr/bin/env bash
# Measures the analysis, the copy of used files and the move of unused files
# against what the machine needs at least for the same work, on generated
# installations.
#
#   run_bench.sh BUILD_DIR [--runs N] [--seed N] [--data DIR] [--quick] [--cold]
#                [--analysis-only] [SIZE...]
#
# BUILD_DIR holds ferwis-cli, ferwis-generate, ferwis-floor and
# ferwis-window-analysis. SIZE is tiny,
# small, medium, large or huge (default: small medium large). Installations are
# generated once into DATA/SIZE-seedN (default DATA: BUILD_DIR/bench-data) and
# reused. Every figure is the median of N runs (default 5) on a warm file cache.
# --quick: one run, no warm-up (a check that the benchmark works, not a
# measurement). --cold: the page cache is dropped before each run of the
# analysis and its floors (root only; otherwise said, and measured warm).
# --analysis-only: no copy or move (for huge, where they take long).
set -euo pipefail

# Bump when the generator's output changes, so that old installations are not reused.
GENERATOR_VERSION=2

# The targets on the large installation: the analysis and the copy against their floors.
analysis_target=1.3
copy_target=1.2
# A move makes every file durable before its source goes: against cp + sync.
move_target=3

usage() {
    sed -n '4,15p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

[ $# -ge 1 ] || usage
build=$(cd "$1" && pwd)
shift
runs=5
seed=1
quick=0
cold=0
analysis_only=0
data=""
sizes=()
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    --quick) quick=1; runs=1; shift ;;
    --cold) cold=1; shift ;;
    --analysis-only) analysis_only=1; shift ;;
    tiny | small | medium | large | huge) sizes+=("$1"); shift ;;
    *) usage ;;
    esac
done
[ ${#sizes[@]} -gt 0 ] || sizes=(small medium large)
data=${data:-$build/bench-data}
mkdir -p "$data"
data=$(cd "$data" && pwd)

cli=$build/ferwis-cli
generate=$build/ferwis-generate
floor=$build/ferwis-floor
window=$build/ferwis-window-analysis
for tool in "$cli" "$generate" "$floor" "$window"; do
    [ -x "$tool" ] || { echo "run_bench.sh: $tool is not built" >&2; exit 1; }
done
have_time=0
[ -x /usr/bin/time ] && have_time=1

# Only root may drop the page cache, and a container mostly not even root.
drop_caches() { sync && echo 3 >/proc/sys/vm/drop_caches; } 2>/dev/null
if [ $cold = 1 ] && ! drop_caches; then
    echo "run_bench.sh: the page cache cannot be dropped here (not allowed): measuring warm" >&2
    cold=0
fi

# --- helpers -----------------------------------------------------------------

now_ns() { date +%s%N; }

# median < numbers: the middle value (the lower middle for an even count).
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# spread < numbers: "fastest-slowest" of the runs.
spread() { sort -g | awk '{ v[NR] = $1 } END { printf "%s-%s", v[1], v[NR] }'; }

# measure NAME...: runs the steps NAME (shell functions) in turn, $runs rounds,
# so that a change in the machine's load meets every step alike. Each run of a
# step is preceded by its untimed setup_NAME when there is one. Records the
# median seconds in seconds[NAME], the fastest and slowest run in
# spreads[NAME] and the largest peak resident memory (KiB) that the step left
# through with_peak_memory in rss_kib[NAME].
declare -A seconds spreads rss_kib
measure() {
    local name r start end kib
    declare -A times=()
    for name in "$@"; do rss_kib[$name]=0; done
    for ((r = 0; r < runs; r++)); do
        for name in "$@"; do
            if declare -F "setup_$name" >/dev/null; then "setup_$name"; fi
            rm -f "$work/rss"
            start=$(now_ns)
            "$name" || fail "$name failed"
            end=$(now_ns)
            times[$name]+="$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", (b - a) / 1e9 }') "
            if [ -s "$work/rss" ]; then
                kib=$(tail -n 1 "$work/rss")
                [ "$kib" -gt "${rss_kib[$name]}" ] && rss_kib[$name]=$kib
            fi
        done
    done
    for name in "$@"; do
        seconds[$name]=$(printf '%s\n' ${times[$name]} | median)
        spreads[$name]=$(printf '%s\n' ${times[$name]} | spread)
    done
}

# with_peak_memory COMMAND...: runs the command, noting its peak resident memory.
with_peak_memory() {
    if [ $have_time = 1 ]; then
        /usr/bin/time -f '%M' -o "$work/rss" "$@"
    else
        "$@"
    fi
}

fail() {
    echo "run_bench.sh: $*" >&2
    [ -s "$work/err" ] && tail -n 20 "$work/err" >&2
    exit 1
}

summary_value() { awk -v k="$1" '$1 == k { print $2 }' "$dir/summary.txt"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.2f MiB", k / 1024 }'; }
verdict() { awk -v ok="$1" 'BEGIN { print (ok ? "ok" : "MISSED") }'; }

# The steps measured, as functions of the installation in $dir. The analysis
# has two floors: what the machine needs at least (ferwis-floor: the listing
# and the reads on as many threads as the analysis), and the earlier one of
# plain tools, one after the other on one thread.
floor_machine() {
    "$floor" "$main" "$dir/read-text.txt" "$dir/read-binary.txt" >/dev/null
}
floor_analysis() {
    find "$main" -type f >/dev/null
    xargs -r -d '\n' -a "$dir/read-text.txt" cat >/dev/null
    xargs -r -d '\n' -a "$dir/read-binary.txt" head -q -c 40000 >/dev/null
}
ferwis_analysis() {
    with_peak_memory "$cli" --config "$dir/ferwis.ini" --result "$dir/wynik.txt" analyze --all \
        2>"$work/err" >/dev/null
}
# The same analysis as the window runs it: without the length of every listed
# file, which the command line asks for its byte totals (one status call each).
window_analysis() {
    with_peak_memory "$window" "$dir/ferwis.ini" "$work/window/wynik.txt" 2>"$work/err" >/dev/null
}
setup_floor_machine() { [ $cold = 0 ] || drop_caches; }
setup_floor_analysis() { setup_floor_machine; }
setup_ferwis_analysis() { setup_floor_machine; }
setup_window_analysis() { setup_floor_machine; }
clear_copy() {
    rm -rf "$dir/kopia"
    mkdir "$dir/kopia"
    sync
}
setup_floor_copy() { clear_copy; }
setup_ferwis_copy() { clear_copy; }
floor_copy() {
    (cd "$main" && xargs -r -d '\n' -a "$work/copy-list.txt" cp --parents -t "$dir/kopia")
}
ferwis_copy() {
    with_peak_memory "$cli" --config "$dir/ferwis.ini" --result "$dir/wynik.txt" copy U \
        2>"$work/err" >/dev/null
}

# The move takes the unused files out of the installation: before each run
# they are put back and the result restored, so every run moves the same files.
restore_moved() {
    if [ -f "$work/moved" ]; then
        cp -a "$dir/kopia/." "$main/"
        rm -f "$work/moved"
    fi
    cp "$work/wynik-saved.txt" "$dir/wynik.txt"
    # The state of the files read goes with the result: the move checks it first.
    cp "$work/wynik_stan-saved.txt" "$dir/wynik_stan.txt"
    clear_copy
}
setup_floor_move() { restore_moved; }
setup_ferwis_move() { restore_moved; }
floor_move() {
    (cd "$main" && xargs -r -d '\n' -a "$work/move-list.txt" cp --parents -t "$dir/kopia") && sync
}
ferwis_move() {
    touch "$work/moved"
    with_peak_memory "$cli" --config "$dir/ferwis.ini" --result "$dir/wynik.txt" move N --yes \
        2>"$work/err" >/dev/null
}

# The files of the category $1, below the main directory, for cp --parents.
category_list() {
    tr -d '\r' <"$dir/wynik.txt" | iconv -f CP1250 -t UTF-8 |
        awk -F'","' -v main="$main/" -v code="$1\"" '$2 == code {
            path = substr($1, 2)
            if (index(path, main) == 1) print substr(path, length(main) + 1)
        }'
}

# --- one size ------------------------------------------------------------------

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
table=$data/last-table.txt
: >"$table"
# Other work on the machine slows every step; the load says how quiet it was.
load() { awk '{ print $1 }' /proc/loadavg 2>/dev/null || echo "?"; }
load_before=$(load)
declare -A analysis_seconds inventory_files

for size in "${sizes[@]}"; do
    dir=$data/$size-seed$seed-v$GENERATOR_VERSION
    main=$dir/main
    # summary.txt is written last: without it the installation is incomplete.
    if [ ! -f "$dir/summary.txt" ]; then
        echo "Generating the $size installation (seed $seed) in $dir ..." >&2
        rm -rf "$dir"
        "$generate" --size "$size" --seed "$seed" "$dir" >/dev/null
    fi

    echo "Measuring $size ($runs run(s) each) ..." >&2
    if [ $quick = 0 ]; then
        floor_machine
        floor_analysis
        ferwis_analysis || fail "ferwis_analysis failed"
    fi
    mkdir -p "$work/window"
    measure floor_machine floor_analysis ferwis_analysis window_analysis
    cmp -s "$work/window/wynik.txt" "$dir/wynik.txt" ||
        fail "the window's analysis and the command line's differ in wynik.txt"

    category_list U >"$work/copy-list.txt"
    used=$(wc -l <"$work/copy-list.txt")
    if [ $analysis_only = 0 ]; then
        [ $quick = 0 ] && (cd "$main" && xargs -r -d '\n' -a "$work/copy-list.txt" cat >/dev/null)
        measure floor_copy ferwis_copy
        copied=$(find "$dir/kopia" -type f | wc -l)
        [ "$copied" = "$used" ] || fail "ferwis_copy copied $copied files, wynik.txt lists $used"

        category_list N >"$work/move-list.txt"
        unused=$(wc -l <"$work/move-list.txt")
        cp "$dir/wynik.txt" "$work/wynik-saved.txt"
        cp "$dir/wynik_stan.txt" "$work/wynik_stan-saved.txt"
        measure floor_move ferwis_move
        moved=$(find "$dir/kopia" -type f | wc -l)
        [ "$moved" = "$unused" ] || fail "ferwis_move moved $moved files, wynik.txt lists $unused"
        restore_moved
    fi

    files=$(summary_value inventory_files)
    path_bytes=$(summary_value inventory_path_bytes)
    analysis_seconds[$size]=${seconds[ferwis_analysis]}
    inventory_files[$size]=$files
    rss_limit_kib=$(awk -v b="$path_bytes" 'BEGIN { printf "%d", (2 * b) / 1024 + 32 * 1024 }')
    a_ratio=$(ratio "${seconds[ferwis_analysis]}" "${seconds[floor_machine]}")
    old_ratio=$(ratio "${seconds[ferwis_analysis]}" "${seconds[floor_analysis]}")
    c_ratio=$(ratio "${seconds[ferwis_copy]:-0}" "${seconds[floor_copy]:-0}")
    w_ratio=$(ratio "${seconds[window_analysis]}" "${seconds[floor_machine]}")
    a_rss=${rss_kib[ferwis_analysis]}
    c_rss=${rss_kib[ferwis_copy]:-0}
    m_ratio=$(ratio "${seconds[ferwis_move]:-0}" "${seconds[floor_move]:-0}")
    {
        echo
        echo "== $size (seed $seed): $files files in the inventory, $(summary_value scenery_lines) scenery lines," \
            "$(summary_value read_text_files) text and $(summary_value read_binary_files) binary files read," \
            "inventory paths $(mib $((path_bytes / 1024))), $used files used$([ $cold = 0 ] || echo ", cold caches")"
        printf '%-31s %8s %13s %6s %11s  %s\n' "step" "median s" "runs s" "ratio" "peak RSS" \
            "target (large)"
        printf '%-31s %8s %13s\n' "floor: ferwis-floor, 3 threads" "${seconds[floor_machine]}" \
            "${spreads[floor_machine]}"
        printf '%-31s %8s %13s %6s\n' "old floor: find + cat/head -c" "${seconds[floor_analysis]}" \
            "${spreads[floor_analysis]}" "${old_ratio}x"
        if [ $have_time = 1 ]; then
            a_mem=$(mib "$a_rss")
            c_mem=$(mib "$c_rss")
            mem_ok=$(verdict "$((a_rss <= rss_limit_kib))")
        else
            a_mem="-" c_mem="-" mem_ok="not measured"
        fi
        printf '%-31s %8s %13s %6s %11s  %s\n' "ferwis-cli analyze --all" "${seconds[ferwis_analysis]}" \
            "${spreads[ferwis_analysis]}" "${a_ratio}x" "$a_mem" \
            "<= ${analysis_target}x floor: $(verdict "$(awk -v r="$a_ratio" -v t="$analysis_target" 'BEGIN { print (r <= t) }')"); RSS <= $(mib "$rss_limit_kib"): $mem_ok"
        printf '%-31s %8s %13s %6s %11s  %s\n' "  the same, as the window runs" "${seconds[window_analysis]}" \
            "${spreads[window_analysis]}" "${w_ratio}x" "$([ $have_time = 1 ] && mib "${rss_kib[window_analysis]}" || echo -)" \
            "without the byte totals' status call per file"
        if [ $analysis_only = 0 ]; then
            printf '%-31s %8s %13s\n' "floor: cp --parents of U files" "${seconds[floor_copy]}" \
                "${spreads[floor_copy]}"
            printf '%-31s %8s %13s %6s %11s  %s\n' "ferwis-cli copy U" "${seconds[ferwis_copy]}" \
                "${spreads[ferwis_copy]}" "${c_ratio}x" "$c_mem" \
                "<= ${copy_target}x cp: $(verdict "$(awk -v r="$c_ratio" -v t="$copy_target" 'BEGIN { print (r <= t) }')")"
            printf '%-31s %8s %13s\n' "floor: cp of N files + sync" "${seconds[floor_move]}" \
                "${spreads[floor_move]}"
            printf '%-31s %8s %13s %6s %11s  %s\n' "ferwis-cli move N ($unused)" "${seconds[ferwis_move]}" \
                "${spreads[ferwis_move]}" "${m_ratio}x" "-" \
                "<= ${move_target}x cp + sync: $(verdict "$(awk -v r="$m_ratio" -v t="$move_target" 'BEGIN { print (r <= t) }')")"
        fi
    } | tee -a "$table"
done

# Growth of the analysis from each size to the next measured one against n log n
# (n: inventory files).
grown=""
for size in medium large huge; do
    [ -n "${analysis_seconds[$size]:-}" ] || continue
    if [ -n "$grown" ]; then
        awk -v from="$grown" -v to="$size" -v tm="${analysis_seconds[$grown]}" \
            -v tl="${analysis_seconds[$size]}" -v nm="${inventory_files[$grown]}" \
            -v nl="${inventory_files[$size]}" 'BEGIN {
            grow = tl / tm; bound = (nl * log(nl)) / (nm * log(nm))
            printf "\nanalysis growth %s -> %s: %.2fx for %.2fx files; n log n allows %.2fx: %s\n",
                from, to, grow, nl / nm, bound, (grow <= bound ? "ok" : "MISSED")
        }' | tee -a "$table"
    fi
    grown=$size
done
echo "machine load (1-minute average): $load_before at the start, $(load) at the end," \
    "$(nproc) processors" | tee -a "$table"
echo >&2
echo "Table saved in $table" >&2
