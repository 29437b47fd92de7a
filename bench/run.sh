#!/bin/bash
# Thumbnail figures side by side in one run, on one reproducible corpus:
#   bash bench/run.sh [corpus folder]        (default /tmp/fw-bench-corpus)
# Builds Release in build-bench, makes the corpus once, then prints medians of 5 runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FW_BENCH_BUILD:-$root/build-bench}
corpus=${1:-/tmp/fw-bench-corpus}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFW_BUILD_APP=OFF >/dev/null
cmake --build "$build" --target bench_thumbs bench_go_run -j2 >/dev/null
tool="$build/bench/bench_thumbs"
[ -f "$corpus/big48p.jpg" ] || "$tool" corpus "$corpus"

source "$root/bench/timing.sh"

for pic in p00 p01; do
  f="$corpus/$pic.jpg"
  kind=baseline; [ "$pic" = p01 ] && kind=progressive
  echo "== one 4000 x 3000 $kind picture to 100 pixels (process start included)"
  row "ours: MakeScaledJpeg" "$(median "$tool" one "$f" 100)"
  row "floor: djpeg -scale 1/8 (entropy decoding)" "$(median djpeg -scale 1/8 -outfile /dev/null "$f")"
  row "full decode: djpeg" "$(median djpeg -outfile /dev/null "$f")"
done
echo "== size probe of one 4000 x 3000 picture, mean of 1000"
echo "ours: $("$tool" probe "$corpus/p00.jpg")"
echo "== 40 pictures to 100 pixels, one process"
row "ours: Thumbs run, one worker per core ($(nproc))" "$(median "$tool" run "$corpus" 100 0)"
row "ours: Thumbs run, one thread" "$(median "$tool" run "$corpus" 100 1)"
row "ours: MakeScaledJpeg in a loop" "$(median "$tool" thumbs "$corpus" 100)"
row "ours: full decode, whole raster, sampled" "$(median "$tool" full "$corpus" 100)"
if command -v vipsthumbnail >/dev/null; then
  row "vipsthumbnail --size 100" "$(median vipsthumbnail --size 100 -o /tmp/fw-vips-%s.jpg "$corpus"/p*.jpg)"
fi
if is_real "$im" ImageMagick; then
  row "ImageMagick convert -sample 100x100 (one per file)" \
    "$(median bash -c "for f in $corpus/p*.jpg; do $im \$f -sample 100x100 /tmp/fw-im.jpg; done")"
fi
if is_real gm GraphicsMagick; then
  row "GraphicsMagick -size 200x200 -thumbnail (one per file)" \
    "$(median bash -c "for f in $corpus/p*.jpg; do gm convert -size 200x200 \$f -thumbnail 100x100 /tmp/fw-gm.jpg; done")"
fi
echo "== 40 pictures shrunk into a 1024 box (Resize large images), one process"
row "ours: one worker per core ($(nproc))" "$(median "$tool" resize "$corpus" 1024 0)"
row "ours: one thread" "$(median "$tool" resize "$corpus" 1024 1)"
resize_point=$(median "$tool" resize "$corpus" 1024 1)
resize_smooth=$(median "$tool" resize "$corpus" 1024 1 smooth)
row "ours, smooth: one thread" "$resize_smooth"
row "ours, smooth: one worker per core ($(nproc))" "$(median "$tool" resize "$corpus" 1024 0 smooth)"
ratio "smooth over point-sampled, one thread" "$resize_smooth" "$resize_point"

echo "== smooth thumbnails: 40 pictures to 100 pixels, one thread"
smooth=$(median "$tool" thumbs "$corpus" 100 smooth)
point=$(median "$tool" thumbs "$corpus" 100)
floor=$(median bash -c "for f in $corpus/p*.jpg; do djpeg -scale 1/8 -outfile /dev/null \$f; done")
row "ours, smooth: MakeScaledJpeg in a loop" "$smooth"
row "ours, point-sampled: MakeScaledJpeg in a loop" "$point"
row "floor: djpeg -scale 1/8 (one per file)" "$floor"
ratio "smooth over the floor" "$smooth" "$floor"
if command -v vipsthumbnail >/dev/null; then
  vips1=$(VIPS_CONCURRENCY=1 median vipsthumbnail --size 100 -o /tmp/fw-vips-%s.jpg "$corpus"/p*.jpg)
  row "vipsthumbnail --size 100, one thread" "$vips1"
  ratio "smooth over vipsthumbnail" "$smooth" "$vips1"
fi
if is_real "$im" ImageMagick; then
  lanczos_refs
  echo "== quality: PSNR against the Lanczos-filtered full decode, mean over the 40"
  row "ours, point-sampled" "$(psnr "$corpus/thumbs/%s.jpg")"
  row "ours, smooth" "$(psnr "$corpus/thumbs-smooth/%s.jpg")"
  command -v vipsthumbnail >/dev/null && row "vipsthumbnail" "$(psnr "/tmp/fw-vips-%s.jpg")"
fi
echo "== peak memory, 8000 x 6000 picture to 100 pixels"
echo "ours, baseline: $("$tool" one "$corpus/big48.jpg" 100)"
echo "ours, baseline, smooth: $("$tool" one "$corpus/big48.jpg" 100 smooth)"
echo "(progressive pictures: bash bench/progressive.sh)"
echo "== Go over 1000 pictures whose thumbnails exist, in memory (a lower bound; bench/go_paths.sh times the paths users run)"
"$build/bench/bench_go_run" --benchmark_format=console 2>/dev/null | grep -E '^GoOver'
