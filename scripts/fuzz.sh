#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ and runs each over its seed corpus and then for
# a bounded time (FUZZ_SECONDS, 60 by default). Any crash, leak, hang, memory blow-up or
# sanitizer report fails the run; the input that caused it is kept in build-fuzz/artifacts/.
# Usage: scripts/fuzz.sh [target ...]   (default: every target)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir="${BUILD_DIR:-build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
targets=(pcx ilbm iffpbm tga bmprle opendib colorsettings gpl pipeline project)
[ $# -gt 0 ] && targets=("$@")

if [ ! -f "$build_dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=None \
        -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DTESSORA_FUZZ=ON
fi
cmake --build "$build_dir" --target $(printf 'fuzz_%s ' "${targets[@]}")

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
failed=()
for target in "${targets[@]}"; do
    # New inputs go to a working corpus; the committed seeds stay as they are.
    work="$build_dir/corpus/$target"
    artifacts="$build_dir/artifacts/$target/"
    mkdir -p "$work" "$artifacts"
    echo "== fuzz_$target: ${seconds} s"
    if ! "$build_dir/fuzz/fuzz_$target" "$work" "fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$artifacts" -print_final_stats=1 ${FUZZ_FLAGS:-} \
        >"$build_dir/fuzz_$target.log" 2>&1; then
        tail -n 60 "$build_dir/fuzz_$target.log"
        failed+=("$target")
    else
        grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)" \
            "$build_dir/fuzz_$target.log" || true
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]} (inputs in $build_dir/artifacts/)"
    exit 1
fi
