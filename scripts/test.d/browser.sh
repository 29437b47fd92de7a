#!/usr/bin/env bash
# Visits galleries made by framewright-cli in headless Chromium (tests/browser), then runs
# Lighthouse on the Responsive demo. Uses the programs of the build folder and builds nothing;
# installs what the visit needs when missing (the checkers come with the npm install; the Nu
# Html Checker also needs Java, from scripts/packages.d/browser.txt).
set -euo pipefail
cd "$(dirname "$0")/../.."
dir=${FW_BUILD_DIR:-build}
chromium=${CHROMIUM:-/usr/bin/chromium}

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
install() {
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" \
    apt-get install -y -qq --no-install-recommends "$@"
}

if [ ! -x "$chromium" ]; then install chromium >/dev/null 2>&1 || true; fi
if [ ! -x "$chromium" ]; then
  echo "browser: skipped, Chromium could not be installed"
  exit 0
fi
# Node.js from some sources carries its own npm, and Debian's npm package conflicts with it.
command -v node >/dev/null || install nodejs
command -v npm >/dev/null || install npm

cli="$dir/framewright-cli"
if [ ! -x "$cli" ]; then
  echo "browser: $cli is missing; build first (scripts/build.sh)" >&2
  exit 1
fi
(cd tests/browser && npm ci --prefer-offline --no-audit --no-fund --loglevel=error >/dev/null)
export FW_CLI="$cli" FW_BROWSER_OUT="$dir/browser-out" CHROMIUM="$chromium"
rc=0
timeout 300 node tests/browser/site_test.js || rc=1
timeout 400 node tests/browser/lighthouse.js || rc=1
exit $rc
