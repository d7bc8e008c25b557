#!/usr/bin/env bash
# Builds the Windows program with Debian's mingw-w64 and packs it:
#   dist/windows/modsetup.exe         the program, stripped
#   dist/windows/modsetup-check.exe   the set library check, when the build has it
#   dist/windows/README.txt           how to install it
#   dist/modsetup-windows.zip         the three files
# Installs the cross compiler and the tools when they are missing, and builds
# the archive reader from Debian's sources once (scripts/windows-libarchive.sh,
# cached outside the clone). Checks that the program imports system DLLs only
# and is at most 1.5 MB. Works from any folder; exits non-zero when anything
# fails.
#
#   MODSETUP_WIN_RELEASE_BUILD=<dir>   another build folder (default build-windows)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build=${MODSETUP_WIN_RELEASE_BUILD:-$repo_root/build-windows}
dist="$repo_root/dist"
triple=x86_64-w64-mingw32
max_bytes=$((3 * 512 * 1024))
# DLLs every Windows system has; the program may import these and no others.
system_dlls="kernel32 user32 gdi32 comctl32 msimg32 shell32 ole32 oleaut32 oleacc advapi32 msvcrt comdlg32 uxtheme winmm"

install_packages cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 zip || exit 1
libarchive=$(bash "$repo_root/scripts/windows-libarchive.sh" | tail -n 1) && [ -n "$libarchive" ] ||
    { echo "building libarchive for Windows failed" >&2; exit 1; }

say "configuring $build"
cmake -S "$repo_root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DMODSETUP_BUILD_UI=ON -DMODSETUP_BUILD_TESTS=OFF \
    -DMODSETUP_WIN_LIBARCHIVE="$libarchive" </dev/null ||
    { echo "configuring the Windows build failed" >&2; exit 1; }
say "building"
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" </dev/null || { echo "the Windows build failed" >&2; exit 1; }

say "packing into $dist"
rm -rf "$dist/windows" "$dist/modsetup-windows.zip"
mkdir -p "$dist/windows" || exit 1
files=(modsetup.exe)
[ -f "$build/modsetup-check.exe" ] && files+=(modsetup-check.exe)
for file in "${files[@]}"; do
    "$triple-strip" -o "$dist/windows/$file" "$build/$file" || { echo "stripping $file failed" >&2; exit 1; }
done

program="$dist/windows/modsetup.exe"
size=$(stat -c %s "$program")
if [ "$size" -gt "$max_bytes" ]; then
    echo "modsetup.exe is $size bytes, more than $max_bytes" >&2
    exit 1
fi
imports=$("$triple-objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sed 's/\.dll$//' | sort -u)
for dll in $imports; do
    case " $system_dlls " in
    *" $dll "*) ;;
    *) echo "modsetup.exe imports $dll.dll, which is not a system DLL" >&2; exit 1 ;;
    esac
done

# Windows' own text editor wants CR LF.
sed 's/$/\r/' > "$dist/windows/README.txt" <<'TEXT'
modsetup - the mod folder configurator

Installing
1. Copy modsetup.exe and the set library folder modsetup\ (with its mod.ini)
   into the game's folder, the one that holds the game's program and its
   mods\ folder.
2. Start modsetup.exe there. It keeps your choices in modsetup.ini beside it.

Pick a set in each list (or type the start of its name). Click a weapon's
picture, or press F5 in its list, to hear the set's shot; rest the mouse on
a list or a picture, or press Ctrl+F1 in a list, to see the set's statistics
beside the installed ones. Alt+A, Alt+U, Alt+C and Alt+P press the buttons,
Alt+M ticks Use Modified Weapons. Then
  Apply  installs the chosen sets into mods\<mod name>,
  Undo   goes back to the choices saved last,
  Play   starts the game with the mod,
  Close  ends the program without saving.

If Windows refuses to write there (a game under C:\Program Files), start
modsetup.exe as administrator, or install the game in another folder.

modsetup-check.exe (when present) checks a set library before you ship it:
  modsetup-check.exe modsetup.exe
TEXT
(cd "$dist/windows" && zip -q -X "$dist/modsetup-windows.zip" "${files[@]}" README.txt) ||
    { echo "making the zip failed" >&2; exit 1; }

say "modsetup.exe: $size bytes, imports $(echo $imports | sed 's/ /, /g')"
say "done: $program and $dist/modsetup-windows.zip"
