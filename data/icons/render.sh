#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from framewright.svg (needs Debian's
# librsvg2-bin). The PNGs are kept in the repository, so a build does not need it.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" framewright.svg -o "framewright-$size.png"
done
