#!/usr/bin/env bash
# README command (2): installs what is missing, builds everything into build/
# and runs every test with ctest, whose summary closes the output. The exit
# status is ctest's. Works from any folder and needs no terminal.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_step() {
    install_packages "${build_packages[@]}"
}

build_step() {
    build_project build
}

# Window tests run on Qt's offscreen platform (set per test), so no display
# is needed.
test_step() {
    say "running the tests"
    ctest --test-dir "$repo_root/build" --output-on-failure --timeout 600 </dev/null
}

main() {
    install_step || exit 1
    build_step || exit 1
    test_step
    exit $?
}

main "$@"
