#!/usr/bin/env bash
# Installs the Debian packages Tessora needs to build, run and test, and nothing when all are
# there already. Runs as root, or uses sudo. Further package names given as arguments are
# installed too (scripts/setup-package.sh).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
    qt6-tools-dev qt6-l10n-tools
    libgif-dev libspng-dev libpng-dev libtiff-dev libjpeg-dev fonts-dejavu-core
    libsqlite3-dev libzstd-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth netpbm poppler-utils pngquant
)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
