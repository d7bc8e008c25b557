# Shared steps of the README commands: find the repository, install what is
# missing on a Debian machine, configure and build. Sourced by demo.sh and
# test.sh; defines functions only (and the variable repo_root).

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What the program, the demo generator and the tests need on Debian 12.
build_packages=(build-essential cmake ninja-build qt6-base-dev libgl-dev libsdl2-dev libarchive-dev libgtest-dev googletest
    fonts-dejavu-core)
# What the test command's layout and static checks need besides: git for the
# list of tracked files, the formatter, clang-tidy, and the cross compiler
# whose flags and headers clang-tidy takes for the Windows-only sources.
check_packages=(git clang-format clang-tidy g++-mingw-w64-x86-64-posix)
# What the window test that listens as a screen reader does needs: a virtual
# display, a session bus, and the accessibility bus with its registry.
desktop_test_packages=(xvfb dbus-daemon at-spi2-core)

say() { echo "== $*"; }

# install_packages PACKAGE...: installs those of the packages that are not
# installed yet; runs apt-get update first, and only when something is missing.
install_packages() {
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        say "not a Debian system: not installing anything; this needs CMake >= 3.25, a C++20 compiler, Qt 6 Widgets, SDL 2, GoogleTest and Ninja"
        return 0
    fi
    local missing=() package
    for package in "$@"; do
        [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" = installed ] || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "missing packages ${missing[*]}, and not root to install them" >&2; return 1; }
        sudo=(sudo)
    fi
    say "installing ${missing[*]}"
    local apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=300)
    "${apt[@]}" update </dev/null || { echo "apt-get update failed" >&2; return 1; }
    "${apt[@]}" install -y --no-install-recommends "${missing[@]}" </dev/null ||
        { echo "installing ${missing[*]} failed" >&2; return 1; }
}

# Further options of every configure (the test command adds -Werror's).
cmake_options=()

# build_project BUILD_FOLDER [TARGET...]: configures a Release build with
# Ninja in the folder below the repository and builds the targets (all when
# none are given). The window and the tests are switched on explicitly, so
# that a folder configured earlier without them cannot drop them silently.
build_project() {
    local build="$repo_root/$1"
    shift
    say "configuring $build"
    cmake -S "$repo_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DMODSETUP_BUILD_UI=ON -DMODSETUP_BUILD_TESTS=ON "${cmake_options[@]}" </dev/null ||
        { echo "configuring failed" >&2; return 1; }
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    say "building ${*:-everything}"
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" "${targets[@]}" </dev/null ||
        { echo "the build failed" >&2; return 1; }
}
