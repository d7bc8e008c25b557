#!/usr/bin/env bash
# clang-tidy with the checks of .clang-tidy over the sources in src/: those the
# native build compiles, with its flags (build/compile_commands.json), and
# those only the Windows build compiles, with the cross build's flags
# (configured into build-tidy-win; clang is told the mingw-w64 target and given
# that compiler's C++ and Windows headers). Prints every finding and exits 1
# when there is one. Needs the native build that scripts/test.sh makes.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

native="$repo_root/build"
windows="$repo_root/build-tidy-win"
triple=x86_64-w64-mingw32

# sources_of BUILD: the source files below src/ that the build compiles.
sources_of() {
    sed -n 's|^ *"file": "\(.*\.cpp\)",\{0,1\}$|\1|p' "$1/compile_commands.json" | grep "^$repo_root/src/" | sort -u
}

# tidy_one BUILD FILE [ARGUMENT...]: clang-tidy over one file; prints its
# findings, headers named by their place in src/ rather than in a layer's
# include root, and fails when it has any.
tidy_one() {
    local out
    out=$(clang-tidy -p "$1" --quiet "${@:3}" "$2" 2>&1) && return 0
    grep -v 'warnings\{0,1\}\( and [0-9]* errors\{0,1\}\)\{0,1\} generated\.$' <<<"$out" |
        sed "s|$1/layers/[a-z0-9]*/|$repo_root/src/|g"
    return 1
}
export -f tidy_one
export repo_root

# tidy_files BUILD [ARGUMENT...] < FILES: tidy_one over each file, as many at
# once as there are cores.
tidy_files() {
    xargs -r -P "$(nproc 2>/dev/null || echo 2)" -I{} bash -c 'tidy_one "$@"' tidy "$1" {} "${@:2}"
}

# The cross compiler's include folders in its order, as clang arguments, less
# its private ones (clang keeps its own built-in headers).
windows_arguments() {
    local private folder
    private=$(realpath -m "$("$triple-g++-posix" -print-file-name=include)")
    echo "--extra-arg-before=--target=$triple"
    echo "--extra-arg=-nostdlibinc"
    "$triple-g++-posix" -std=c++20 -E -v -x c++ /dev/null 2>&1 </dev/null |
        sed -n '/^#include <\.\.\.> search starts here:$/,/^End of search list\.$/s/^ //p' |
        while read -r folder; do
            folder=$(realpath -m "$folder")
            [ "$folder" = "$private" ] || [ "$folder" = "$private-fixed" ] || echo "--extra-arg=-isystem$folder"
        done
}

main() {
    install_packages clang-tidy "g++-mingw-w64-x86-64-posix" || exit 1
    [ -f "$native/compile_commands.json" ] ||
        { echo "no $native/compile_commands.json: build first (scripts/test.sh)" >&2; exit 1; }
    local status=0
    say "clang-tidy over src/ with the native build's flags"
    sources_of "$native" | tidy_files "$native" || status=1

    say "configuring the Windows build's flags in $windows"
    local libarchive
    libarchive=$(bash "$repo_root/scripts/windows-libarchive.sh" | tail -n 1) && [ -n "$libarchive" ] ||
        { echo "building libarchive for Windows failed" >&2; exit 1; }
    cmake -S "$repo_root" -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DMODSETUP_BUILD_UI=ON -DMODSETUP_BUILD_TESTS=OFF \
        -DMODSETUP_WIN_LIBARCHIVE="$libarchive" </dev/null >/dev/null ||
        { echo "configuring the Windows build failed" >&2; exit 1; }
    local arguments
    mapfile -t arguments < <(windows_arguments)
    say "clang-tidy over the Windows-only sources with the cross build's flags"
    comm -13 <(sources_of "$native") <(sources_of "$windows") | tidy_files "$windows" "${arguments[@]}" || status=1

    [ "$status" -eq 0 ] && say "clang-tidy: no findings" || echo "clang-tidy found the problems above" >&2
    return $status
}

main "$@"
