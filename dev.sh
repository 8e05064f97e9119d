#!/usr/bin/env bash
# Ferwis developer entry point: installs what the build needs, builds, and runs.
#   ./dev.sh run     build the window program and open it on the sample installation
#   ./dev.sh cli ARGS...   build ferwis-cli and run it (no display needed)
#   ./dev.sh test    check the formatting, build and run the whole test suite, then the
#                    Windows build's under wine
#   ./dev.sh windows cross-build the program for Windows (Qt for Windows built once into a
#                    cache) and run its tests under wine
#   ./dev.sh package build the Windows zip and try it in a fresh wine prefix, then the
#                    Debian package (./dev.sh deb)
#   ./dev.sh deb     build the Debian package and try it unpacked, with a home of its own
#   ./dev.sh bench [options] [sizes]   build a release build and run the benchmark
#   ./dev.sh screenshots   render the windows to PNG files in build/screenshots (no display needed)
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake g++ make qt6-base-dev libglib2.0-dev pkg-config libgtest-dev libgl-dev nlohmann-json3-dev xvfb xauth
    fonts-liberation2 librsvg2-bin)
# The Windows build: MinGW-w64 (the flavour with std::thread), GoogleTest's
# sources, the JSON library's headers, the icon's renderers, wine to run the
# tests, iconv for the command-line check, a virtual X server with a window
# manager, xdotool and imagemagick's import to drive and picture the window,
# xprop to wait for the window manager, unzip for the package check. Qt for
# Windows: windows/build-qt.sh.
WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest nlohmann-json3-dev
    librsvg2-bin icoutils wine wine64 libc-bin xvfb xauth openbox xdotool imagemagick x11-utils
    unzip)

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

# The Debian package: dpkg-shlibdeps and dpkg-buildflags (dpkg-dev), lintian,
# desktop-file-validate; its check drives the window in a virtual X server
# with a window manager (xdotool, import, xprop).
DEB_PACKAGES=(dpkg-dev lintian desktop-file-utils librsvg2-bin xvfb xauth openbox xdotool imagemagick
    x11-utils)

# Builds build-deb with the installed layout and Debian's hardening flags,
# without the test suite, makes the .deb with CPack and checks it.
deb_package() {
    install_packages "${PACKAGES[@]}" "${DEB_PACKAGES[@]}"
    CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
        LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
        build build-deb -DFERWIS_INSTALLED_LAYOUT=ON -DFERWIS_TESTS=OFF -DFERWIS_WERROR=ON
    (cd build-deb && cpack -G DEB >/dev/null)
    local version
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-deb/CMakeCache.txt)
    local deb=build-deb/ferwis_${version}_amd64.deb
    packaging/check_deb.sh "$deb" examples/sample tests/data/sample_wynik.txt
    echo "$deb"
}

# What only the window on a person's desktop needs: Qt's Wayland plugin, and
# xdpyinfo to try an X display before anything is built.
RUN_PACKAGES=(qt6-wayland)

# The window needs a display; ferwis-cli does not. Said before a build that
# would end in the toolkit's abort. A DISPLAY left from an ended ssh login is
# set but does not open: it is tried, not trusted.
has_display() {
    [ -n "${QT_QPA_PLATFORM:-}" ] && return 0
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        local socket=$WAYLAND_DISPLAY
        [ "${socket#/}" != "$socket" ] || socket="${XDG_RUNTIME_DIR:-/nonexistent}/$socket"
        [ -S "$socket" ] && return 0
    fi
    [ -n "${DISPLAY:-}" ] || return 1
    install_packages x11-utils
    xdpyinfo >/dev/null 2>&1
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

# Cross-builds the whole program for Windows with MinGW-w64 against Qt for
# Windows (built into a cache by windows/build-qt.sh when absent, which takes
# half an hour to an hour), with wine as the tests' emulator (its own prefix
# inside the build folder). Extra arguments go to cmake.
windows_build() {
    install_packages "${WINDOWS_PACKAGES[@]}"
    local qt toolchain
    qt=$(windows/build-qt.sh | tail -n 1)
    toolchain="$qt/lib/cmake/Qt6/qt.toolchain.cmake"
    # A build folder made with another toolchain cannot switch: it starts afresh.
    if [ -f build-windows/CMakeCache.txt ] &&
        ! grep -qF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" build-windows/CMakeCache.txt; then
        rm -rf build-windows
    fi
    export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    build build-windows -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)" -DFERWIS_WERROR=ON "$@"
}

# The Windows build's core and window tests under wine.
windows_test() {
    windows_build "$@"
    # The test programs start together; on a new prefix two of them making it
    # at once can fail to find the wine server's folder. The prefix is made
    # first, alone, and its server has ended before they start.
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait
    (cd build-windows && ctest --output-on-failure -j "$(nproc)" -L 'core|ui')
}

case "${1:-}" in
run)
    if ! has_display; then
        echo "ferwis: Nie można otworzyć ekranu graficznego; okno go wymaga (ferwis-cli działa bez niego)." >&2
        exit 1
    fi
    install_packages "${PACKAGES[@]}" "${RUN_PACKAGES[@]}"
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
    # The analysis lists, indexes and reads ahead on threads of its own, and the
    # file operations work on one: the core's tests run again under ThreadSanitizer.
    build build-tsan -DFERWIS_CORE_ONLY=ON -DFERWIS_SANITIZE_THREAD=ON -DCMAKE_BUILD_TYPE=Debug
    (cd build-tsan && ctest --output-on-failure -j "$(nproc)" -L core)
    windows_test -DFERWIS_NATIVE_CLI="$PWD/build/ferwis-cli"
    ;;
windows)
    windows_test
    ;;
package)
    windows_build
    (cd build-windows && cpack -G ZIP >/dev/null)
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
    zip=build-windows/ferwis-$version-windows-x64.zip
    windows/check_package.sh "$zip" examples/sample tests/data/sample_wynik.txt
    echo "$zip"
    deb_package
    ;;
deb)
    deb_package
    ;;
screenshots)
    install_packages "${PACKAGES[@]}"
    cmake -S . -B build >/dev/null
    cmake --build build -j "$(nproc)" --target ferwis-screenshots
    exec ./build/ferwis-screenshots build/screenshots
    ;;
bench)
    install_packages "${PACKAGES[@]}" time
    # Only the command-line program, the generator, the floor and the window's analysis take part.
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-release -j "$(nproc)" --target ferwis-cli ferwis-generate ferwis-floor ferwis-window-analysis
    exec bench/run_bench.sh build-release "${@:2}"
    ;;
*)
    echo "usage: ./dev.sh run|cli|test|windows|package|deb|bench|screenshots" >&2
    exit 2
    ;;
esac
