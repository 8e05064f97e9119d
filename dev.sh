#!/usr/bin/env bash
# Ferwis developer entry point: installs what the build needs, builds, and runs.
#   ./dev.sh run     build the window program and open it on the sample installation
#   ./dev.sh cli ARGS...   build ferwis-cli and run it (no display needed)
#   ./dev.sh test    check the formatting, build and run the whole test suite, then the
#                    Windows build's under wine
#   ./dev.sh windows cross-build the core and ferwis-cli for Windows and test them under wine
#   ./dev.sh bench [options] [sizes]   build a release build and run the benchmark
#   ./dev.sh screenshots   render the windows to PNG files in build/screenshots (no display needed)
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake g++ make qt6-base-dev libglib2.0-dev pkg-config libgtest-dev libgl-dev nlohmann-json3-dev xvfb xauth fonts-liberation2)
# The Windows build: MinGW-w64 (the flavour with std::thread), GoogleTest's
# sources, the JSON library's headers, wine to run the tests, iconv for the
# command-line check.
WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest nlohmann-json3-dev wine wine64 libc-bin)

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get install -y -q "${missing[@]}" || { $sudo apt-get update -q && $sudo apt-get install -y -q "${missing[@]}"; }
}

# The window needs a display; ferwis-cli does not. Said before a build that
# would end in the toolkit's abort.
has_display() {
    [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]
}

# The sources stay as clang-format 14 leaves them (.clang-format); another
# version formats some constructs differently, so the check names it.
check_format() {
    if ! find . \( -path './build*' -o -path './.git' \) -prune -o \( -name '*.cpp' -o -name '*.h' \) \
        -print0 | xargs -0 clang-format-14 --dry-run --Werror; then
        echo "dev.sh: formatting differs; run clang-format-14 -i on the files named above" >&2
        return 1
    fi
    # The include roots are links: "layer/../other/x.h" would reach past the
    # layers a target links, so no include climbs out of a folder.
    if grep -rnE --include='*.cpp' --include='*.h' --exclude-dir='build*' --exclude-dir=.git \
        '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^">]*\.\.' .; then
        echo "dev.sh: an include above climbs out of its folder with \"..\"" >&2
        return 1
    fi
}

build() { # build DIR [cmake options...]
    local dir=$1; shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

# Cross-builds the core, ferwis-cli and the core tests for Windows and runs the
# tests under wine (its own prefix inside the build folder). Extra arguments go
# to cmake.
windows_test() {
    install_packages "${WINDOWS_PACKAGES[@]}"
    export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    build build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DFERWIS_CORE_ONLY=ON \
        -DFERWIS_WERROR=ON "$@"
    # The test programs start together; on a new prefix two of them making it
    # at once can fail to find the wine server's folder. The prefix is made
    # first, alone, and its server has ended before they start.
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait
    (cd build-windows && ctest --output-on-failure -j "$(nproc)" -L core)
}

case "${1:-}" in
run)
    if ! has_display; then
        echo "ferwis: no graphical display could be opened; the window needs one (ferwis-cli needs none)" >&2
        exit 1
    fi
    install_packages "${PACKAGES[@]}"
    cmake -S . -B build >/dev/null
    # Only what the window needs: the test suite is built by ./dev.sh test.
    cmake --build build -j "$(nproc)" --target ferwis
    exec ./build/ferwis
    ;;
cli)
    install_packages "${PACKAGES[@]}"
    cmake -S . -B build >/dev/null
    cmake --build build -j "$(nproc)" --target ferwis-cli ferwis_sample
    exec ./build/ferwis-cli "${@:2}"
    ;;
test)
    install_packages "${PACKAGES[@]}" clang-format-14
    check_format
    build build -DFERWIS_WERROR=ON
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
    # The core reads untrusted bytes: its tests run once more under the sanitizers.
    build build-sanitize -DFERWIS_CORE_ONLY=ON -DFERWIS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    (cd build-sanitize && ctest --output-on-failure -j "$(nproc)" -L core)
    windows_test -DFERWIS_NATIVE_CLI="$PWD/build/ferwis-cli"
    ;;
windows)
    windows_test
    ;;
screenshots)
    install_packages "${PACKAGES[@]}"
    cmake -S . -B build >/dev/null
    cmake --build build -j "$(nproc)" --target ferwis-screenshots
    exec ./build/ferwis-screenshots build/screenshots
    ;;
bench)
    install_packages "${PACKAGES[@]}" time
    # Only the command-line program and the generator take part.
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-release -j "$(nproc)" --target ferwis-cli ferwis-generate
    exec bench/run_bench.sh build-release "${@:2}"
    ;;
*)
    echo "usage: ./dev.sh run|cli|test|windows|bench|screenshots" >&2
    exit 2
    ;;
esac
