#!/usr/bin/env bash
# Builds the benchmark program (Release, -DMODSETUP_BUILD_BENCH=ON) into
# build-bench/ and runs it: Apply, the load sequence and the window, each timed
# beside its floor in the same run, repeated in random order; the closing
# lines give the ratios of the medians. Installs what is missing on Debian.
#
#   scripts/bench.sh                 5 repetitions of every benchmark
#   MODSETUP_BENCH_REPETITIONS=N     another number of repetitions
#   scripts/bench.sh --benchmark_filter=apply    extra options go to the program
#
# The figures are real (wall-clock) times: run it on an otherwise idle machine.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build="$repo_root/build-bench"
repetitions=${MODSETUP_BENCH_REPETITIONS:-5}

install_packages "${build_packages[@]}" libbenchmark-dev libarchive-tools || exit 1
say "configuring $build"
cmake -S "$repo_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMODSETUP_BUILD_BENCH=ON \
    -DMODSETUP_BUILD_TESTS=OFF </dev/null || { echo "configuring failed" >&2; exit 1; }
say "building the benchmarks"
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target modsetup_bench </dev/null ||
    { echo "the build failed" >&2; exit 1; }

say "running the benchmarks ($repetitions repetitions in random order)"
QT_QPA_PLATFORM=offscreen "$build/bench/modsetup_bench" \
    --benchmark_repetitions="$repetitions" \
    --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true \
    --benchmark_color=false \
    "$@" </dev/null
