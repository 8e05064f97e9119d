# Sourced by the scripts that start ferwis.exe under wine: a virtual X server
# of their own with openbox as window manager, the main window found and
# driven with xdotool, and the result file compared with the checked one.
# Needs Xvfb, openbox, xdotool and import (imagemagick).

x_pids=()
program_pid=
own_prefix= # a wine prefix only this script uses, ended before the X server

# Starts Xvfb on a free display (the server picks it) and openbox on it.
start_x() { # WORK_FOLDER
    local number_file=$1/display
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" 2>"$1/xvfb.log" &
    x_pids+=($!)
    for _ in $(seq 100); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    [ -s "$number_file" ] || { echo "wine_window: Xvfb did not start: $(cat "$1/xvfb.log")" >&2; return 1; }
    export DISPLAY=:$(head -n 1 "$number_file")
    openbox --sm-disable >/dev/null 2>&1 &
    x_pids+=($!)
    # A window shown before openbox manages the screen is never activated:
    # wait until it has announced itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "wine_window: openbox did not start" >&2
    return 1
}

# Ends what start_x and start_program started (by their ids), the program
# first, then the wine processes of the script's own prefix, which hold the
# display too.
stop_x() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    if [ -n "$own_prefix" ]; then
        WINEPREFIX="$own_prefix" wineserver -k 2>/dev/null || true
    fi
    local pid
    for pid in "${x_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    x_pids=()
}

start_program() { # WINE EXE LOG
    "$1" "$2" >"$3" 2>&1 &
    program_pid=$!
}

# Prints the id of the program's main window once it is shown (titled
# "Ferwis"), waiting up to SECONDS.
main_window() { # SECONDS
    local id
    for _ in $(seq $(($1 * 2))); do
        id=$(xdotool search --onlyvisible --name '^Ferwis$' 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.5
    done
    return 1
}

# The size of the window's client area, WIDTHxHEIGHT: wine leaves the frame to
# the window manager, so the X window is the client area.
window_size() { # ID
    xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: //p'
}

# A click at a point of the window's client area, in pixels.
click_at() { # ID X Y
    xdotool windowactivate --sync "$1" mousemove --window "$1" "$2" "$3" click 1
}

# Closes the window as a person would (the window manager's Alt+F4) and waits
# for the program to end; its exit status.
close_program() { # ID
    local status=0 tick
    # Alt+F4 again every five seconds: a key sent while the window manager
    # was busy activating another window is lost.
    for tick in $(seq 0 59); do
        if [ $((tick % 10)) = 0 ]; then
            xdotool windowactivate --sync "$1" key alt+F4 2>/dev/null || true
        fi
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.5
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "wine_window: the program did not end when its window was closed" >&2
        return 1
    fi
    wait "$program_pid" || status=$?
    program_pid=
    return "$status"
}

# Compares a wynik.txt written on Windows with the checked result of the
# sample (tests/data/sample_wynik.txt), whose paths begin with {MAIN} (and
# {main} in the lower-case paths of missing files) and use "/".
same_as_checked() { # RESULT CHECKED MAIN_DIRECTORY_AS_WINDOWS_WRITES_IT
    local result=$1 checked=$2 main=\"$3 line lower
    lower=${main,,}
    iconv -f CP1250 -t UTF-8 "$result" | tr -d '\r' | while IFS= read -r line; do
        line=${line/#"$main"/'"{MAIN}'}
        line=${line/#"$lower"/'"{main}'}
        printf '%s\n' "${line//\\//}"
    done >"$result.norm"
    iconv -f CP1250 -t UTF-8 "$checked" | tr -d '\r' >"$result.checked"
    diff "$result.checked" "$result.norm"
}
