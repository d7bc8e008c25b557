#!/usr/bin/env bash
# Test coverage (not part of CI: it builds everything again): the core, the
# presenter layer and the check, with their tests and without the windows,
# built with gcc's coverage counters into build-coverage/ (Debug, so that each
# line counts as written); their tests run (core_tests, front_tests,
# check_tests, the runs of modsetup-check); then gcovr's summary of the lines
# and branches of src/core, src/front and src/check. Branches only exceptions
# could take, and those the compiler proves unreachable, are left out.
# Installs gcovr when missing (Debian). Per file: build-coverage/coverage.txt,
# where headers are named by the layers' include roots (build-coverage/layers).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build="$repo_root/build-coverage"
jobs=$(nproc 2>/dev/null || echo 2)

install_packages build-essential cmake ninja-build libarchive-dev libgtest-dev googletest gcovr || exit 1

say "configuring $build"
cmake -S "$repo_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMODSETUP_BUILD_UI=OFF \
    -DMODSETUP_BUILD_TESTS=ON -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage </dev/null ||
    { echo "configuring failed" >&2; exit 1; }
say "building"
cmake --build "$build" -j "$jobs" </dev/null || { echo "the build failed" >&2; exit 1; }

# Counters of an earlier run would add up with this one's.
find "$build" -name '*.gcda' -delete
say "running the tests"
ctest --test-dir "$build" -j "$jobs" --timeout 600 </dev/null || { echo "a test failed" >&2; exit 1; }

say "coverage of src/core, src/front and src/check"
gcovr --root "$repo_root" --object-directory "$build" --exclude-directories "$build/CMakeFiles/[0-9.]+" \
    --filter "$repo_root/src/core/" --filter "$repo_root/src/front/" --filter "$repo_root/src/check/" \
    --exclude-throw-branches --exclude-unreachable-branches \
    --txt "$build/coverage.txt" --print-summary "$build" </dev/null
