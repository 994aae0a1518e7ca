#!/usr/bin/env bash
# Builds the Debian package tessora_<version>_amd64.deb (Release, without tests and benchmarks)
# in build-package/ and copies it into the folder given (default: dist/).
set -euo pipefail
cd "$(dirname "$0")/.."
out_dir="$(mkdir -p "${1:-dist}" && cd "${1:-dist}" && pwd)"
build_dir="${BUILD_DIR:-build-package}"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTESSORA_TESTS=OFF -DTESSORA_BENCH=OFF "${launcher[@]}"
cmake --build "$build_dir"
(cd "$build_dir" && cpack -G DEB)
cp "$build_dir"/tessora_*_amd64.deb "$out_dir"/
ls "$out_dir"/tessora_*_amd64.deb
