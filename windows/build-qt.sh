#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from the sources of Debian's own qt6-base, with
# Debian's MinGW-w64, once, into a cache outside the build tree, and prints the
# installed prefix on its last line. The prefix is named by the Qt version and
# a hash of this script and its toolchain file, so a change of options builds a
# new one; a prefix is used only once its build and install have finished.
#   windows/build-qt.sh            build when absent, print the prefix
#   windows/build-qt.sh --print    print the prefix it would use, build nothing
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

# The host Qt (moc, rcc, uic and the CMake files) is Debian's own, so the
# sources must be of the same version.
HOST_PACKAGES=(qt6-base-dev qt6-base-dev-tools dpkg-dev cmake ninja-build perl g++-mingw-w64-x86-64-posix)

hash=$(cat "$0" "$here/cmake/mingw-w64-qt.cmake" | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/ferwis
qt_version() { dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed 's/[+-].*//'; }

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get install -y -q "${missing[@]}" >&2 ||
        { $sudo apt-get update -q >&2 && $sudo apt-get install -y -q "${missing[@]}" >&2; }
}

# apt-get source needs a deb-src entry for every suite the binary entries name.
add_source_entries() {
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    local list=/etc/apt/sources.list.d/ferwis-deb-src
    if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
        cat /etc/apt/sources.list.d/*.sources | grep -v '^#' |
            sed 's/^Types:.*deb\b.*$/Types: deb-src/' | $sudo tee "$list.sources" >/dev/null
    fi
    if [ -f /etc/apt/sources.list ]; then
        grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $sudo tee "$list.list" >/dev/null
    fi
    $sudo apt-get update -q >&2
}

install_packages "${HOST_PACKAGES[@]}"
version=$(qt_version)
prefix=$cache/qt-$version-mingw-w64-$hash
if [ "${1:-}" = --print ] || [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

echo "Building Qt $version for Windows into $prefix (about 30 minutes on two cores)" >&2
rm -rf "$prefix" "$cache/work-$hash"
mkdir -p "$prefix" "$cache/work-$hash"
# The toolchain file is kept with the prefix: Qt's own toolchain file names it
# by its absolute path, and the checkout that built the cache may go away.
cp "$here/cmake/mingw-w64-qt.cmake" "$prefix/mingw-w64-qt.cmake"
cd "$cache/work-$hash"
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
apt-get source --print-uris "qt6-base=$source_version" 2>/dev/null | grep -q "\.dsc'" ||
    add_source_entries
apt-get source -q "qt6-base=$source_version" >&2
src=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
mkdir build
cd build
# Only what the program uses: Core, Gui, Widgets, Network (the single
# instance), Test (the window tests), the Windows and offscreen platforms, the
# Windows style and the image formats. Debian removed wintab.h from the
# sources, so tablet events are off; Direct2D stays on, the DirectWrite font
# database of the Windows platform needs it.
"../$src/configure" -prefix "$prefix" \
    -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- -qt-host-path /usr \
    -release -shared -nomake tests -nomake examples \
    -no-opengl -no-dbus -no-feature-sql -no-feature-tabletevent -no-feature-printsupport \
    -no-feature-concurrent -no-feature-xml -no-feature-vulkan \
    -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-freetype \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-qt.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
cmake --build . --parallel "$(nproc)" >&2
cmake --install . >&2
cd "$cache"
rm -rf "$cache/work-$hash"
touch "$prefix/.complete"
echo "$prefix"
