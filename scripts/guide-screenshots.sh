#!/usr/bin/env bash
# Makes the screenshots of the user guide (docs/guide/images/de and en) by driving the real
# window under a virtual X server, then shrinks them to 8-bit palettes. Run it again whenever
# the window changes. LANGUAGES="de" limits the run to one language.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
ninja -C "$build" -j2 tessora-guideshots >/dev/null

# The installed sample motifs when there are any, as a user sees them; else those of the checkout.
motifs="/usr/share/tessora/motive"
[ -d "$motifs" ] || motifs="$root/data/motive"

for lang in ${LANGUAGES:-de en}; do
    case "$lang" in
        de) locale="de_DE.UTF-8" ;;
        *) locale="en_US.UTF-8" ;;
    esac
    out="$root/docs/guide/images/$lang"
    mkdir -p "$out"
    # The language goes by the locale's name; the locale itself need not be installed.
    env -u LC_ALL -u LC_MESSAGES LANG="$locale" LANGUAGE="$lang" LC_CTYPE=C.UTF-8 \
        QT_QPA_PLATFORM=xcb xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
        "$build/tessora-guideshots" "$out" --lang "$lang" --motifs "$motifs" \
        --motif fisch.png --width 20
    # Window pictures have few colours; a palette keeps them sharp at a fraction of the size.
    pngquant --force --skip-if-larger --strip --quality 80-100 --ext .png "$out"/*.png || true
done
echo "Screenshots written to docs/guide/images/"
