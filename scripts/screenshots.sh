#!/usr/bin/env bash
# Saves pictures of the window (every tab) and its three dialogs, over the demo gallery, in the
# folder given (default ./screenshots). Runs the window of ./build on Qt's offscreen platform,
# with its own settings and application folder, so the user's own are not touched.
#   scripts/screenshots.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-screenshots}")
dir=${FW_BUILD_DIR:-build}
cmake --build "$dir" --target framewright framewright-cli fw_shoot_window >/dev/null
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data
"$dir/framewright-cli" demo "$tmp/demo" >/dev/null
FW_SCREENSHOT_DIR=$out LD_PRELOAD=$(realpath "$dir/libfw_shoot_window.so") \
  QT_QPA_PLATFORM=offscreen timeout 60 "$dir/framewright"
