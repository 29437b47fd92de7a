#!/bin/bash
# Phone pictures through framewright-cli, side by side with libheif's own converter in one run:
#   bash bench/heic.sh [corpus folder]        (default /tmp/fw-bench-corpus)
# Makes (once) a 12 MP and a 48 MP HEIC with heif-enc from the photo-like corpus of run.sh,
# then prints medians of 5 runs of: the HEIC to a 100-pixel thumbnail and to a 1024 JPEG,
# ours straight from the HEIC against heif-convert to a JPEG followed by our JPEG path; and
# the peak memory of the 48 MP HEIC converted to a JPEG at its own size.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FW_BENCH_BUILD:-$root/build-bench}
corpus=${1:-/tmp/fw-bench-corpus}
for tool in heif-enc heif-convert /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "heic bench skipped: $tool missing"; exit 0; }
done
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFW_BUILD_APP=OFF >/dev/null
cmake --build "$build" --target bench_thumbs framewright-cli -j2 >/dev/null
cli="$build/framewright-cli"
[ -f "$corpus/big48.jpg" ] || "$build/bench/bench_thumbs" corpus "$corpus"
[ -f "$corpus/p00.heic" ] || heif-enc -q 85 "$corpus/p00.jpg" -o "$corpus/p00.heic" >/dev/null
[ -f "$corpus/big48.heic" ] || heif-enc -q 85 -p preset=ultrafast "$corpus/big48.jpg" -o "$corpus/big48.heic" >/dev/null
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

source "$root/bench/timing.sh"
peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1; }  # KiB
via_convert() {  # heif-convert to a JPEG, then our JPEG path to SIZE
  heif-convert "$1" "$tmp/converted.jpg" >/dev/null && "$cli" scale "$tmp/converted.jpg" "$2" "$3"
}

pic="$corpus/p00.heic"
echo "== one 4000 x 3000 HEIC ($(($(stat -c %s "$pic") / 1024)) KiB), process start included"
for size in 100 1024; do
  row "ours: framewright-cli scale to $size" "$(median "$cli" scale "$pic" "$tmp/ours.jpg" $size)"
  row "heif-convert to JPEG, then framewright-cli scale to $size" \
    "$(median via_convert "$pic" "$tmp/theirs.jpg" $size)"
done
row "heif-convert alone (to JPEG)" "$(median heif-convert "$pic" "$tmp/alone.jpg")"

big="$corpus/big48.heic"
echo "== peak memory, one 8000 x 6000 HEIC converted to a JPEG of its own size"
echo "ours: framewright-cli scale to 8000: $(($(peak "$cli" scale "$big" "$tmp/big.jpg" 8000) / 1024)) MiB"
echo "heif-convert to JPEG: $(($(peak heif-convert "$big" "$tmp/big2.jpg") / 1024)) MiB"
