#!/usr/bin/env bash
# Makes docs/patternbook-board.png, the board page shown in README.md: the program's own
# photo-like test picture as a 58 x 58 Midi pattern book, its first board page at 100 dpi.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
ninja -C "$build" -j2 tessora-cli tessora-benchpictures >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/tessora-benchpictures" "$work"
"$build/tessora-cli" "$work/photo-1000.ppm" --width 58 --template-pdf "$work/vorlage.pdf"
pdftoppm -f 2 -l 2 -r 100 -png -singlefile "$work/vorlage.pdf" "$work/seite"
mkdir -p "$root/docs"
cp "$work/seite.png" "$root/docs/patternbook-board.png"
echo "docs/patternbook-board.png written"
