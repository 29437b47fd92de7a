#!/usr/bin/env bash
# Sets up, builds and starts the program: the window when a display is present, otherwise
# a demo gallery made by framewright-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
dir=${FW_BUILD_DIR:-build}
if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && [ -x "$dir/framewright" ]; then
  exec "$dir/framewright" "$@"
fi
echo "No display found: building a demo gallery with framewright-cli instead."
if "$dir/framewright-cli" --help >/dev/null 2>&1 && "$dir/framewright-cli" demo --help >/dev/null 2>&1; then
  exec "$dir/framewright-cli" demo "$PWD/demo"
fi
exec "$dir/framewright-cli" --help
