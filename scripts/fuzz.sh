#!/usr/bin/env bash
# Fuzzing (not part of CI): builds the libFuzzer targets of fuzz/ with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/ and runs
# each for a bounded time, starting from the seed corpora in fuzz/corpus/.
# Installs clang and its fuzzer runtime when missing (Debian).
#
#   scripts/fuzz.sh [seconds per target]     default 300
#
# New inputs go to build-fuzz/corpus/<target>/ (the seeds in the repository
# stay as they are); a crashing input is written to build-fuzz/artifacts/ and
# makes the script exit non-zero.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds=${1:-300}
build="$repo_root/build-fuzz"
targets=(line_file picture wave_format archive)

# libclang-rt-14-dev carries libFuzzer (libclang_rt.fuzzer-x86_64.a).
install_packages build-essential cmake ninja-build clang libclang-rt-14-dev libarchive-dev || exit 1

say "configuring $build"
CC=clang CXX=clang++ cmake -S "$repo_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMODSETUP_BUILD_FUZZ=ON -DMODSETUP_BUILD_UI=OFF -DMODSETUP_BUILD_TESTS=OFF </dev/null ||
    { echo "configuring failed" >&2; exit 1; }
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" </dev/null || { echo "the build failed" >&2; exit 1; }

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    say "fuzzing ${target} for ${seconds}s"
    # libarchive asks for memory by the counts an archive's header declares
    # (a 7z header may declare 10^8 files): such an allocation fails on the
    # real systems and the archive is refused, so for the archive target it
    # fails here too (rather than counting as a crash), and the memory truly
    # used stays bounded by the RSS limit.
    malloc_limit=1024 asan_options=""
    [ "$target" = archive ] && malloc_limit=$((1 << 30)) asan_options=allocator_may_return_null=1
    ASAN_OPTIONS=$asan_options UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$build/fuzz/${target}_fuzz" "$corpus" "$repo_root/fuzz/corpus/$target" \
        -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb="$malloc_limit" -timeout=60 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" </dev/null 2>&1 |
        tee "$build/${target}.log" | grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|stat::|==[0-9]+==|SUMMARY|artifact_prefix|Test unit written|Done )'
    result=${PIPESTATUS[0]}
    say "${target}: exit status ${result} (full output in build-fuzz/${target}.log)"
    [ "$result" -eq 0 ] || status=$result
done
exit $status
