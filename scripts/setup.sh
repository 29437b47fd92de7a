#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages the build and the tests need and that are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev libjpeg62-turbo-dev libjpeg-turbo-progs
          zlib1g-dev liblcms2-dev libsqlite3-dev libgtest-dev libbenchmark-dev libpng-dev
          xvfb xauth)
# Later parts of the build add their packages in scripts/packages.d/*.txt, one a line.
for f in scripts/packages.d/*.txt; do
  [ -f "$f" ] || continue
  while read -r p; do [ -n "$p" ] && [ "${p#\#}" = "$p" ] && packages+=("$p"); done < "$f"
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
