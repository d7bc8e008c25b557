#!/usr/bin/env bash
# The Windows program's start-up figure: under Wine on a virtual X display,
# the time from starting modsetup.exe to its window appearing, beside the same
# figure for a minimal Win32 window with the same controls (bench/win32), in a
# game folder with the demo set library; printed as a ratio of the medians.
# Builds what it needs (the demo generator natively, the programs with
# mingw-w64) and installs what is missing on Debian.
#
#   scripts/bench-windows.sh [runs]      default 15 starts of each program
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

runs=${1:-15}
build="$repo_root/build-win-bench"
install_packages "${build_packages[@]}" g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb || exit 1

build_project build make_demo_library || exit 1
libarchive=$(bash "$repo_root/scripts/windows-libarchive.sh" | tail -n 1) && [ -n "$libarchive" ] ||
    { echo "building libarchive for Windows failed" >&2; exit 1; }
say "building the Windows programs in $build"
cmake -S "$repo_root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DMODSETUP_BUILD_UI=ON -DMODSETUP_BUILD_TESTS=OFF -DMODSETUP_BUILD_BENCH=ON \
    -DMODSETUP_WIN_LIBARCHIVE="$libarchive" </dev/null || { echo "configuring failed" >&2; exit 1; }
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target modsetup bare_window start_time </dev/null ||
    { echo "the build failed" >&2; exit 1; }

# Two game folders with the same demo library: the program and the floor each
# start in their own, as a user would start them.
games="$build/games"
rm -rf "$games"
for game in program floor; do
    mkdir -p "$games/$game/mods"
    "$repo_root/build/make_demo_library" "$games/$game/modsetup" >/dev/null || exit 1
done
cp "$build/modsetup.exe" "$games/program/modsetup.exe"
cp "$build/bench/win32/bare_window.exe" "$games/floor/modsetup.exe"

# Wine on a display of its own, in a prefix for display runs, without a
# window manager (Managed=N: closed windows then do not linger).
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display WINEPREFIX="$build/wine-display-prefix" WINEARCH=win64 WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
cleanup() { timeout 60 wineserver -k >/dev/null 2>&1; kill "$xvfb" 2>/dev/null; }
trap cleanup EXIT
mkdir -p "$WINEPREFIX"
timeout 60 wineserver -p </dev/null >/dev/null 2>&1
timeout 300 wine cmd /c exit </dev/null >/dev/null 2>&1 || { echo "Wine does not start" >&2; exit 1; }
timeout 120 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -u /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"

say "timing $runs starts of each program under Wine"
program=$(winepath -w "$games/program/modsetup.exe")
floor=$(winepath -w "$games/floor/modsetup.exe")
timeout 1200 wine "$build/bench/win32/start_time.exe" "$program" "$floor" "$runs" </dev/null
