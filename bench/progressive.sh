#!/bin/bash
# Smooth thumbnails of progressive pictures, made from their DC scans, beside libjpeg's 1/8
# decode of every scan (our earlier smooth path and djpeg, the floor of any decoder that reads
# them all) and vipsthumbnail, in one run on the corpus of run.sh:
#   bash bench/progressive.sh [corpus folder]        (default /tmp/fw-bench-corpus)
# Prints medians of 5 runs, the PSNR of the 20 progressive pictures' thumbnails against the
# Lanczos-filtered full decode, and the peak memory of an 8000 x 6000 progressive picture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FW_BENCH_BUILD:-$root/build-bench}
corpus=${1:-/tmp/fw-bench-corpus}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFW_BUILD_APP=OFF >/dev/null
cmake --build "$build" --target bench_thumbs -j2 >/dev/null
tool="$build/bench/bench_thumbs"
[ -f "$corpus/big48p.jpg" ] || "$tool" corpus "$corpus"
source "$root/bench/timing.sh"

f="$corpus/p01.jpg"
echo "== one 4000 x 3000 progressive picture to 100 pixels, smooth (process start included)"
ours=$(median "$tool" one "$f" 100 smooth)
floor=$(median djpeg -scale 1/8 -outfile /dev/null "$f")
row "ours: from the DC scans" "$ours"
row "ours: libjpeg's 1/8 decode of every scan" "$(median "$tool" one "$f" 100 allscans)"
row "floor: djpeg -scale 1/8 (every scan)" "$floor"
ratio "ours over the floor" "$ours" "$floor"
if command -v vipsthumbnail >/dev/null; then
  vips=$(median vipsthumbnail --size 100 -o /tmp/fw-vips-one.jpg "$f")
  vips1=$(VIPS_CONCURRENCY=1 median vipsthumbnail --size 100 -o /tmp/fw-vips-one.jpg "$f")
  row "vipsthumbnail --size 100" "$vips"
  row "vipsthumbnail --size 100, one thread" "$vips1"
  ratio "ours over vipsthumbnail" "$ours" "$vips"
fi
echo "== 40 pictures (20 of them progressive) to 100 pixels, smooth, one process"
row "ours: MakeScaledJpeg in a loop" "$(median "$tool" thumbs "$corpus" 100 smooth)"
row "ours: every picture through libjpeg's scaled decode" "$(median "$tool" thumbs "$corpus" 100 allscans)"
if is_real "$im" ImageMagick; then
  lanczos_refs
  refs=$(ls "$corpus"/ref100/p*[13579].png)
  echo "== quality: PSNR against the Lanczos-filtered full decode, mean over the 20 progressive"
  row "ours: from the DC scans" "$(psnr "$corpus/thumbs-smooth/%s.jpg" "$refs")"
  row "ours: libjpeg's 1/8 decode of every scan" "$(psnr "$corpus/thumbs-allscans/%s.jpg" "$refs")"
  if command -v vipsthumbnail >/dev/null; then
    vipsthumbnail --size 100 -o /tmp/fw-vips-%s.jpg "$corpus"/p*[13579].jpg
    row "vipsthumbnail" "$(psnr "/tmp/fw-vips-%s.jpg" "$refs")"
  fi
fi
echo "== peak memory, 8000 x 6000 progressive picture to 100 pixels"
echo "ours, smooth, from the DC scans: $("$tool" one "$corpus/big48p.jpg" 100 smooth)"
echo "ours, smooth, every scan: $("$tool" one "$corpus/big48p.jpg" 100 allscans)"
echo "ours, point-sampled: $("$tool" one "$corpus/big48p.jpg" 100)"
