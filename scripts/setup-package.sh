#!/usr/bin/env bash
# What building and checking the Debian package needs beyond the build itself: dpkg-shlibdeps
# and file for the dependencies, and the validators of the package, the desktop entry and the
# AppStream metainfo.
set -euo pipefail
cd "$(dirname "$0")/.."
exec scripts/setup.sh dpkg-dev file lintian desktop-file-utils appstream
