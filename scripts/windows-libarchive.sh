#!/usr/bin/env bash
# Builds the archive reader of the Windows program: libarchive, liblzma and
# bzip2 compiled with Debian's mingw-w64 from Debian's own source packages,
# so that Debian's patches (security fixes among them) come along, as static
# libraries; zlib is Debian's libz-mingw-w64-dev. The source entries are
# derived from the machine's configured Debian sources into a private apt
# folder, and the sources fetched with apt-get source.
#
# The result is cached outside the clone, in a folder named after the source
# packages' versions, so a second run (and every later build) rebuilds
# nothing; a new Debian version of any of them builds a new folder.
#
#   scripts/windows-libarchive.sh     prints the folder (include/, lib/) as its last line
#
#   MODSETUP_CACHE=<dir>   the cache (default ${XDG_CACHE_HOME:-$HOME/.cache}/modsetup)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

cache=${MODSETUP_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/modsetup}
apt_dir="$cache/apt"
triple=x86_64-w64-mingw32
packages=(libarchive xz-utils bzip2)
# Raised whenever the way of building below changes, so that the cache is built anew.
recipe=2

install_packages g++-mingw-w64-x86-64-posix libz-mingw-w64-dev cmake ninja-build dpkg-dev xz-utils >&2 || exit 1

apt_options=(-q -o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o "APT::Sandbox::User=root")

# deb-src entries with the URIs, suites and components of the configured
# Debian sources (deb822 files and one-line lists alike).
write_sources() {
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" || return 1
    local out="$apt_dir/sources.list.d/debian-src.sources" file
    : > "$out"
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:[^\n]*deb/ && /URIs:[^\n]*debian/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
            "$file" >> "$out"
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        awk '$1 == "deb" && $0 ~ /debian/ {
                 i = 2; if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
                 printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:", $i, $(i + 1)
                 for (j = i + 2; j <= NF; j++) printf " %s", $j
                 printf "\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\n" }' "$file" >> "$out"
    done
    [ -s "$out" ] || { echo "no Debian sources are configured in /etc/apt" >&2; return 1; }
}

# "libarchive_3.6.2-1+deb12u5 xz-utils_5.4.1-1+deb12u2 ...": the newest source of each.
source_versions() {
    local package version key=""
    for package in "${packages[@]}"; do
        version=$(apt-cache "${apt_options[@]}" showsrc "$package" 2>/dev/null |
            sed -n "/^Package: $package\$/,/^\$/s/^Version: //p" | sort -V | tail -n 1)
        [ -n "$version" ] || return 1
        key+="${package}_${version}-"
    done
    version=$(dpkg-query -W -f='${Version}' libz-mingw-w64-dev 2>/dev/null) || return 1
    echo "${key}zlib_${version}-r$recipe" | tr ':~' '__'
}

key=$( [ -d "$apt_dir/lists" ] && source_versions ) || key=""
if [ -z "$key" ] || [ ! -f "$cache/windows/$key/lib/libarchive.a" ]; then
    write_sources || exit 1
    say "reading the Debian source lists" >&2
    apt-get "${apt_options[@]}" update >&2 </dev/null || { echo "apt-get update of the source lists failed" >&2; exit 1; }
    key=$(source_versions) || { echo "the Debian sources of ${packages[*]} are not listed" >&2; exit 1; }
fi
prefix="$cache/windows/$key"
if [ -f "$prefix/lib/libarchive.a" ]; then
    say "libarchive for Windows is built already: $prefix" >&2
    echo "$prefix"
    exit 0
fi

work="$cache/windows/build-$key"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/include" "$prefix/lib" || exit 1
say "fetching the sources of ${packages[*]}" >&2
(cd "$work" && apt-get "${apt_options[@]}" source "${packages[@]}" >&2 </dev/null) ||
    { echo "apt-get source failed" >&2; exit 1; }
source_dir() { find "$work" -maxdepth 1 -mindepth 1 -type d -name "$1-*" | head -n 1; }
toolchain="$repo_root/cmake/mingw-w64-x86_64.cmake"
jobs=$(nproc 2>/dev/null || echo 2)

say "building liblzma" >&2
xz=$(source_dir xz-utils)
cmake -S "$xz" -B "$work/xz-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >&2 </dev/null &&
    cmake --build "$work/xz-build" --target liblzma -j "$jobs" >&2 </dev/null ||
    { echo "building liblzma failed" >&2; exit 1; }
cp "$work/xz-build/liblzma.a" "$prefix/lib/" && cp -r "$xz/src/liblzma/api/lzma.h" "$xz/src/liblzma/api/lzma" \
    "$prefix/include/" || exit 1

say "building bzip2" >&2
bz=$(source_dir bzip2)
for file in blocksort huffman crctable randtable compress decompress bzlib; do
    "$triple-gcc-posix" -O2 -D_FILE_OFFSET_BITS=64 -c "$bz/$file.c" -o "$work/$file.o" ||
        { echo "building bzip2 failed" >&2; exit 1; }
done
"$triple-ar" rcs "$prefix/lib/libbz2.a" "$work"/*.o && cp "$bz/bzlib.h" "$prefix/include/" || exit 1

say "building libarchive" >&2
la=$(source_dir libarchive)
# Only what the program and its tests need: zip and 7z with their methods,
# no tools, no crypto library (encrypted entries are refused anyway); zlib
# linked statically, not through its DLL.
options=(-DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_TEST=OFF -DENABLE_INSTALL=OFF
    -DENABLE_OPENSSL=OFF -DENABLE_CNG=OFF -DENABLE_NETTLE=OFF -DENABLE_MBEDTLS=OFF -DENABLE_LIBB2=OFF
    -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_ZSTD=OFF -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF
    -DENABLE_WIN32_XMLLITE=OFF -DENABLE_PCREPOSIX=OFF -DENABLE_ICONV=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF
    -DENABLE_ZLIB=ON -DENABLE_LZMA=ON -DENABLE_BZip2=ON
    -DLIBLZMA_INCLUDE_DIR="$prefix/include" -DLIBLZMA_LIBRARY="$prefix/lib/liblzma.a"
    -DBZIP2_INCLUDE_DIR="$prefix/include" -DBZIP2_LIBRARIES="$prefix/lib/libbz2.a"
    -DZLIB_LIBRARY="/usr/$triple/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$triple/include"
    -DCMAKE_C_FLAGS="-DLZMA_API_STATIC")
cmake -S "$la" -B "$work/la-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    "${options[@]}" >&2 </dev/null &&
    cmake --build "$work/la-build" --target archive_static -j "$jobs" >&2 </dev/null ||
    { echo "building libarchive failed" >&2; exit 1; }
cp "$work/la-build/libarchive/libarchive_static.a" "$prefix/lib/libarchive.a" &&
    cp "$la/libarchive/archive.h" "$la/libarchive/archive_entry.h" "$prefix/include/" || exit 1
rm -rf "$work"
say "built libarchive for Windows: $prefix" >&2
echo "$prefix"
