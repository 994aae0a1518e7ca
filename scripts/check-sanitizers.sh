#!/usr/bin/env bash
# Builds every test with clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# (lean: -O1, no benchmarks) and runs them headless; any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir="${BUILD_DIR:-build-asan}"
if [ ! -f "$build_dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=None \
        -DCMAKE_CXX_FLAGS="-O1 -g" -DTESSORA_SANITIZE=ON -DTESSORA_BENCH=OFF
fi
cmake --build "$build_dir"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
