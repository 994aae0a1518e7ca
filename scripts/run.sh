#!/usr/bin/env bash
# Installs what is missing, builds and starts Tessora. Arguments go to the program
# (a picture file to load at start).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/tessora "$@"
