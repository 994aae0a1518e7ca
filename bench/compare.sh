#!/usr/bin/env bash
# Builds Tessora (Release), makes a 1000 x 1000 photo-like picture and the 64 bead colours as a
# palette picture, and times on that same picture, interleaved over several rounds:
#   tessora-cli PICTURE --width 1000 --height 1000 [--dither]   (calculate command, chart drawn,
#                                                                 no file written)
#   ImageMagick  convert PICTURE +dither -remap palette.png out.ppm
#   ImageMagick  convert PICTURE -dither FloydSteinberg -remap palette.png out.ppm
#   Pillow       Image.quantize(palette=..., dither=NONE / FLOYDSTEINBERG)
# and prints the medians and ratios. Installs Debian's imagemagick and python3-pil if missing.
#
# Environment: ROUNDS (default 7), BUILD_DIR (default build-release), WORK_DIR (default a new
# temporary folder), PAUSE (seconds of rest before every run, default 0: on a virtual machine
# whose free memory goes back to the host after a few seconds, a pause of 6 makes every run
# start with memory the machine has to fetch again, as a run on its own does).
set -euo pipefail
cd "$(dirname "$0")/.."

rounds="${ROUNDS:-7}"
pause="${PAUSE:-0}"
build_dir="${BUILD_DIR:-build-release}"
work_dir="${WORK_DIR:-$(mktemp -d)}"
python=/usr/bin/python3  # the system Python, where python3-pil installs

install_missing() {
    local missing=()
    command -v convert-im6.q16 >/dev/null 2>&1 || command -v magick >/dev/null 2>&1 ||
        [ -x /usr/bin/convert ] || missing+=(imagemagick)
    "$python" -c 'import PIL' >/dev/null 2>&1 || missing+=(python3-pil)
    [ -x /usr/bin/time ] || missing+=(time)
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing ${missing[*]} ..." >&2
    $sudo apt-get install -y "${missing[@]}" >/dev/null ||
        { $sudo apt-get update >/dev/null && $sudo apt-get install -y "${missing[@]}" >/dev/null; }
}

# ImageMagick as Debian ships it, its own program called directly.
imagemagick_program() {
    command -v convert-im6.q16 || command -v magick || echo /usr/bin/convert
}

build() {
    if [ ! -f "$build_dir/build.ninja" ]; then
        cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSORA_TESTS=OFF >/dev/null
    fi
    ninja -C "$build_dir" -j2 tessora-cli tessora-bench tessora-benchpictures >/dev/null
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Runs a command, appends its wall time in milliseconds to the file $1 and, with GNU time, its
# peak memory in KiB to $1.mem.
timed() {
    local record=$1
    shift
    local start end
    start=$(now_ms)
    /usr/bin/time -f "%M" -o "$record.last" "$@" >/dev/null 2>&1
    end=$(now_ms)
    echo $((end - start)) >>"$record"
    cat "$record.last" >>"$record.mem"
}

median() {
    sort -n "$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'
}

pillow_script() {
    cat <<'EOF'
import sys, time
from PIL import Image
picture = Image.open(sys.argv[1]).convert("RGB")
swatches = Image.open(sys.argv[2]).convert("RGB")
palette = Image.new("P", (1, 1))
colours = [c for pixel in swatches.getdata() for c in pixel]
palette.putpalette(colours + colours[:3] * (256 - len(colours) // 3))
for name, dither in (("none", Image.Dither.NONE), ("fs", Image.Dither.FLOYDSTEINBERG)):
    start = time.perf_counter()
    picture.quantize(palette=palette, dither=dither)
    print(name, round((time.perf_counter() - start) * 1000, 2))
EOF
}

main() {
    install_missing
    build
    mkdir -p "$work_dir"
    "$build_dir/tessora-benchpictures" "$work_dir"
    local picture="$work_dir/photo-1000.ppm" palette="$work_dir/palette.png"
    local cli="$build_dir/tessora-cli" t="$work_dir/times" im
    im=$(imagemagick_program)
    mkdir -p "$t"
    rm -f "$t"/*
    pillow_script >"$work_dir/pillow.py"
    export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work_dir}"

    local runs=(cli cli_dither im_remap im_fs pillow)
    for ((round = 0; round < rounds; ++round)); do
        echo "round $((round + 1)) of $rounds" >&2
        for ((k = 0; k < ${#runs[@]}; ++k)); do
            sleep "$pause"
            case "${runs[$(((k + round) % ${#runs[@]}))]}" in
                cli) timed "$t/cli" "$cli" "$picture" --width 1000 --height 1000 ;;
                cli_dither) timed "$t/cli_dither" "$cli" "$picture" --width 1000 --height 1000 --dither ;;
                im_remap) timed "$t/im_remap" "$im" "$picture" +dither -remap "$palette" "$work_dir/im.ppm" ;;
                im_fs) timed "$t/im_fs" "$im" "$picture" -dither FloydSteinberg -remap "$palette" "$work_dir/im-fs.ppm" ;;
                pillow)
                    "$python" "$work_dir/pillow.py" "$picture" "$palette" >"$t/pillow.last"
                    awk '$1 == "none" {print $2}' "$t/pillow.last" >>"$t/pillow_none"
                    awk '$1 == "fs" {print $2}' "$t/pillow.last" >>"$t/pillow_fs"
                    ;;
            esac
        done
    done

    local cli_ms cli_dither_ms remap_ms fs_ms
    cli_ms=$(median "$t/cli")
    cli_dither_ms=$(median "$t/cli_dither")
    remap_ms=$(median "$t/im_remap")
    fs_ms=$(median "$t/im_fs")
    echo
    echo "Whole process, 1000 x 1000 photo-like picture, 64 bead colours; medians of $rounds interleaved rounds, ${pause} s pause before each run"
    printf '  %-58s %7s ms  peak %s MiB\n' "tessora-cli --width 1000 --height 1000" "$cli_ms" \
        "$(($(median "$t/cli.mem") / 1024))"
    printf '  %-58s %7s ms  peak %s MiB\n' "tessora-cli --width 1000 --height 1000 --dither" \
        "$cli_dither_ms" "$(($(median "$t/cli_dither.mem") / 1024))"
    printf '  %-58s %7s ms  peak %s MiB\n' "convert +dither -remap palette.png" "$remap_ms" \
        "$(($(median "$t/im_remap.mem") / 1024))"
    printf '  %-58s %7s ms  peak %s MiB\n' "convert -dither FloydSteinberg -remap palette.png" \
        "$fs_ms" "$(($(median "$t/im_fs.mem") / 1024))"
    echo "Ratios (ImageMagick / tessora-cli; above 1 means tessora-cli is faster)"
    echo "  nearest colour: $(ratio "$remap_ms" "$cli_ms")   dithering: $(ratio "$fs_ms" "$cli_dither_ms")"
    echo
    echo "Inside the process (Pillow's quantize call alone; Tessora's stage from tessora-bench)"
    printf '  %-58s %7s ms\n' "Pillow quantize, no dithering (approximate)" "$(median "$t/pillow_none")"
    printf '  %-58s %7s ms\n' "Pillow quantize, Floyd-Steinberg (approximate)" "$(median "$t/pillow_fs")"
    "$build_dir/tessora-bench" --benchmark_filter='BM_(Nearest_Photo|Nearest_NewIndex|Dither_Photo|Dither_Photo_NewColours)/wide:1000' \
        --benchmark_repetitions="$rounds" --benchmark_report_aggregates_only=true \
        --benchmark_display_aggregates_only=true 2>/dev/null | awk '/_median/ {printf "  %-58s %7s %s (real), %s %s (CPU)\n", $1, $2, $3, $4, $5}'
}

main "$@"
