#!/usr/bin/env bash
# Makes the seeds of the jpeg_dc fuzz target in fuzz/seeds/jpeg_dc: small progressive JPEGs
# (colour 4:2:0 and 4:4:4, grey, restart markers, and a scan script with the DC split per
# component and no successive approximation) from one generated picture, with libjpeg's cjpeg.
set -euo pipefail
out=$(cd "$(dirname "$0")" && pwd)/jpeg_dc
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
python3 - "$tmp/p.ppm" "$tmp/g.pgm" <<'PY'
import sys
w, h = 67, 45
rgb = bytes(v for y in range(h) for x in range(w)
            for v in ((x * 3 + y) % 256, (y * 5) % 256, ((x ^ y) * 7) % 256))
open(sys.argv[1], 'wb').write(b'P6 %d %d 255\n' % (w, h) + rgb)
open(sys.argv[2], 'wb').write(b'P5 %d %d 255\n' % (w, h) + rgb[::3])
PY
cat >"$tmp/split.txt" <<'SCANS'
0: 0 0 0 0; 1: 0 0 0 0; 2: 0 0 0 0;
0: 1 63 0 0; 1: 1 63 0 0; 2: 1 63 0 0;
SCANS
cjpeg -progressive -quality 80 "$tmp/p.ppm" >"$out/colour-420.jpg"
cjpeg -progressive -sample 1x1 -quality 80 -restart 1 "$tmp/p.ppm" >"$out/colour-444-restarts.jpg"
cjpeg -progressive -quality 80 -grayscale "$tmp/g.pgm" >"$out/grey.jpg"
cjpeg -progressive -sample 1x1 -scans "$tmp/split.txt" "$tmp/p.ppm" >"$out/dc-per-component.jpg"
