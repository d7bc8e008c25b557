#!/usr/bin/env bash
# The Windows leg: builds the core, the presenter, the Win32 window and the
# program modsetup.exe for 64-bit Windows with Debian's mingw-w64, and runs
# their tests under Wine. Installs the cross compiler, Wine, its fonts and
# GoogleTest's sources when they are missing, and builds the archive reader
# once (scripts/windows-libarchive.sh). Needs no display.
# Exits with ctest's status.
#
#   scripts/test-windows.sh            build into build-win and run the tests
#   MODSETUP_WIN_BUILD=<dir>           another build folder
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${MODSETUP_WIN_BUILD:-$root/build-win}
started=$SECONDS
phase() { echo "== windows: $* (${SECONDS}s)"; }

# Tools, from Debian's packages. The POSIX threads variant of the compiler is
# the one GoogleTest builds with; wine64 runs 64-bit programs.
missing=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
command -v wine >/dev/null || missing+=(wine)
[ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
[ -d /usr/share/wine/fonts ] || missing+=(fonts-wine)
[ -f /usr/src/googletest/googletest/CMakeLists.txt ] || missing+=(googletest)
command -v cmake >/dev/null || missing+=(cmake)
command -v ninja >/dev/null || missing+=(ninja-build)
if [ ${#missing[@]} -gt 0 ]; then
    phase "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt_options=(-q -o DPkg::Lock::Timeout=300)
    timeout 600 apt-get "${apt_options[@]}" update || { echo "apt-get update failed" >&2; exit 1; }
    timeout 1200 apt-get "${apt_options[@]}" install -y --no-install-recommends "${missing[@]}" ||
        { echo "installing ${missing[*]} failed" >&2; exit 1; }
fi
# The archive reader, built from Debian's sources once and cached outside the clone.
libarchive=$(timeout 2400 bash "$root/scripts/windows-libarchive.sh" | tail -n 1) && [ -n "$libarchive" ] ||
    { echo "building libarchive for Windows failed" >&2; exit 1; }
installed=$SECONDS

phase "building in $build"
timeout 600 cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DMODSETUP_BUILD_UI=ON -DMODSETUP_BUILD_TESTS=ON -DMODSETUP_WIN_LIBARCHIVE="$libarchive" -DMODSETUP_WERROR=ON ||
    { echo "configuring the Windows build failed" >&2; exit 1; }
timeout 2400 cmake --build "$build" -j2 || { echo "the Windows build failed" >&2; exit 1; }
built=$SECONDS

# Wine: a prefix of its own in the build folder, no display, no debug chatter,
# no offer to install the .NET and HTML engines. The server is started first,
# detached from our output, so that ctest does not wait for it to linger on
# after the test program ends; it is stopped whatever happens.
export WINEPREFIX="$build/wine-prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes the programs' 8-bit code page from the locale; without one (a bare
# environment) it cannot represent the tests' 8-bit set names. C.UTF-8 comes
# with every Debian system.
export LC_ALL=C.UTF-8
# Wine's Recycle Bin is the freedesktop trash below XDG_DATA_HOME: the tests'
# sets go to one in the build folder, not to the user's.
export XDG_DATA_HOME="$build/wine-data"
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX"
stop_wine() { timeout 60 wineserver -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT
phase "starting Wine"
timeout 60 wineserver -p </dev/null >/dev/null 2>&1
timeout 300 wine cmd /c exit </dev/null >/dev/null 2>&1 || { echo "Wine does not start" >&2; exit 1; }
# Wine marks names with a leading dot hidden by default; Windows does not.
# Without a display Wine does not fall back to its display-less driver by
# itself: the window tests need it named.
setting() {
    timeout 120 wine reg add "$1" /v "$2" /d "$3" /f </dev/null >/dev/null 2>&1 ||
        { echo "cannot set $2 in the Wine prefix" >&2; exit 1; }
}
setting 'HKCU\Software\Wine' ShowDotFiles Y
setting 'HKCU\Software\Wine\Drivers' Graphics x11,null
# The fonts of the fonts-wine package, where this Wine looks for them: so the
# window's "MS Sans Serif" is Wine's own bitmap font, not a wider stand-in.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -u /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" ||
    { echo "cannot copy Wine's fonts into the prefix" >&2; exit 1; }
# A server that started without the driver setting keeps it: start afresh,
# with Wine's own services detached from our output again.
timeout 60 wineserver -k >/dev/null 2>&1
timeout 60 wineserver -w >/dev/null 2>&1
timeout 60 wineserver -p </dev/null >/dev/null 2>&1
timeout 300 wine cmd /c exit </dev/null >/dev/null 2>&1 || { echo "Wine does not start again" >&2; exit 1; }

phase "running the tests under Wine"
timeout 1500 ctest --test-dir "$build" --output-on-failure --timeout 1200 </dev/null
status=$?
stop_wine
trap - EXIT
phase "done with status $status: install $((installed - started))s, build $((built - installed))s, tests $((SECONDS - built))s"
exit $status
