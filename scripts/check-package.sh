#!/usr/bin/env bash
# Builds the Debian package, installs it with apt on this machine, starts the installed program,
# converts a sample motif with the installed tessora-cli, and runs the validators over the
# desktop entry, the AppStream metainfo and the package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-package.sh
dist="$PWD/build-package/dist"
rm -rf "$dist"
scripts/package.sh "$dist"
deb="$(ls "$dist"/tessora_*_amd64.deb)"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
# --reinstall: a package of the same version left by an earlier run is replaced by this build.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$deb"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
motif=/usr/share/tessora/motive/herz.png
/usr/bin/tessora-cli "$motif" --width 16 --chart "$work/herz-vorlage.png" --stats \
    >"$work/stats.txt"
[[ "$(file -b "$work/herz-vorlage.png")" == "PNG image data"* ]]
grep -q "^05: " "$work/stats.txt"  # red, the colour of the heart
echo "tessora-cli converted $motif:"
cat "$work/stats.txt"

# The window stays up until it is closed: still running after a few seconds means it started.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/tessora >"$work/tessora.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    cat "$work/tessora.log"
    echo "tessora ended with status $status instead of running" >&2
    exit 1
fi

desktop-file-validate /usr/share/applications/tessora.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.example.tessora.Tessora.metainfo.xml
lintian --fail-on error --display-level ">=warning" "$deb"
echo "Package $(basename "$deb") built, installed and checked."
