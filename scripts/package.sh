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
# Debian's hardening flags (stack protector, fortified functions, relocations bound read-only at
# start), given on every run so an existing build folder gets them too; no -g, since the package
# ships stripped programs.
flags=()
if command -v dpkg-buildflags >/dev/null; then
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
    flags=("-DCMAKE_CXX_FLAGS=${cxxflags// -g / }"
        "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)")
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTESSORA_TESTS=OFF -DTESSORA_BENCH=OFF "${launcher[@]}" "${flags[@]}"
cmake --build "$build_dir"
(cd "$build_dir" && cpack -G DEB)
cp "$build_dir"/tessora_*_amd64.deb "$out_dir"/
ls "$out_dir"/tessora_*_amd64.deb
