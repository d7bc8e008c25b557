#!/usr/bin/env bash
# README command (2): installs what is missing, checks the sources' layout,
# builds everything into build/, runs clang-tidy over src/ and every test with
# ctest, whose summary closes the output. The exit status is ctest's, or when
# the tests pass, that of the first other step that failed. Works from any
# folder and needs no terminal.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# A warning fails the build here (not in the demo's build of command 1).
cmake_options=(-DMODSETUP_WERROR=ON)

install_step() {
    install_packages "${build_packages[@]}" "${check_packages[@]}" "${desktop_test_packages[@]}"
}

# The layout of every tracked C++ file in src/, tests/, bench/, fuzz/ and
# tools/: one that clang-format (with .clang-format) would change fails.
format_step() {
    say "checking the layout with clang-format"
    local files=()
    mapfile -t files < <(git -C "$repo_root" ls-files -- src tests bench fuzz tools | grep -E '\.(cpp|h)$')
    [ ${#files[@]} -gt 0 ] || { echo "no tracked C++ files found (not a git checkout?)" >&2; return 1; }
    (cd "$repo_root" && clang-format --dry-run --Werror "${files[@]}") ||
        { echo "clang-format would change the files above: clang-format -i <file>" >&2; return 1; }
}

build_step() {
    build_project build
}

# Window tests run on Qt's offscreen platform (set per test), so no display
# is needed; the one that listens as a screen reader starts a virtual display
# of its own.
test_step() {
    say "running the tests"
    ctest --test-dir "$repo_root/build" --output-on-failure --timeout 600 </dev/null
}

# Static analysis: clang-tidy with the checks of .clang-tidy over src/
# (scripts/tidy.sh); any finding fails it. MODSETUP_TIDY=0 skips it.
tidy_step() {
    if [ "${MODSETUP_TIDY:-1}" = 0 ]; then
        say "skipping clang-tidy (MODSETUP_TIDY=0)"
        return 0
    fi
    bash "$repo_root/scripts/tidy.sh" </dev/null
}

# The Windows leg: the core, the presenter, the Win32 window and the program
# cross-built with mingw-w64, their tests run under Wine without a display
# (scripts/test-windows.sh, which installs what it needs). MODSETUP_SKIP_WINDOWS=1 skips it for a
# quick local run; under CI (CI=true) it always runs.
windows_step() {
    if [ "${MODSETUP_SKIP_WINDOWS:-}" = 1 ]; then
        if [ "${CI:-}" != true ]; then
            say "skipping the Windows leg (MODSETUP_SKIP_WINDOWS=1)"
            return 0
        fi
        say "MODSETUP_SKIP_WINDOWS is ignored under CI: running the Windows leg"
    fi
    bash "$repo_root/scripts/test-windows.sh" </dev/null
}

# The sanitizer leg: everything built again with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan, and the whole suite run there;
# any finding fails the test that made it. MODSETUP_SKIP_SANITIZE=1 skips it
# for a quick local run; under CI it always runs.
sanitizer_step() {
    if [ "${MODSETUP_SKIP_SANITIZE:-}" = 1 ] && [ "${CI:-}" != true ]; then
        say "skipping the sanitizer leg (MODSETUP_SKIP_SANITIZE=1)"
        return 0
    fi
    local build="$repo_root/build-asan" started=$SECONDS
    say "sanitizer leg: configuring $build"
    cmake -S "$repo_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMODSETUP_SANITIZE=ON "${cmake_options[@]}" </dev/null ||
        { echo "configuring the sanitizer build failed" >&2; return 1; }
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" </dev/null ||
        { echo "the sanitizer build failed" >&2; return 1; }
    local built=$SECONDS
    say "sanitizer leg: running the tests"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
    LSAN_OPTIONS="suppressions=$repo_root/tests/sanitizer/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        ctest --test-dir "$build" --output-on-failure --timeout 600 </dev/null
    local status=$?
    say "sanitizer leg: status $status, build $((built - started))s, tests $((SECONDS - built))s"
    return $status
}

# run_step DESCRIPTION FUNCTION: runs a step whose failure does not stop the
# others, and notes the failure.
failures=()
run_step() {
    "$2" && return 0
    local status=$?
    failures+=("$status $1")
}

main() {
    install_step || exit 1
    run_step "the layout check" format_step
    build_step || exit 1
    run_step "clang-tidy" tidy_step
    run_step "the Windows leg" windows_step
    run_step "the sanitizer leg" sanitizer_step
    test_step
    local status=$? failure
    for failure in "${failures[@]}"; do
        echo "${failure#* } failed (status ${failure%% *})" >&2
        [ "$status" -eq 0 ] && status=${failure%% *}
    done
    exit $status
}

main "$@"
