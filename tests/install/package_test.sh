#!/usr/bin/env bash
# Packs the build with `cpack -G DEB` and checks the package: its files, that its dependencies
# are Debian packages apt can install, and that the programs it carries run. Exit 77: skipped.
# usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "$tool not installed: skipped"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log") || { cat "$tmp/cpack.log"; exit 1; }
deb=$(ls "$tmp"/out/*.deb)
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libjpeg62-turbo libsqlite3-0; do
  grep -q "$lib" <<<"$depends" || { echo "no dependency on $lib"; exit 1; }
done
dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/files"
for f in ./usr/bin/framewright ./usr/bin/framewright-cli ./usr/share/framewright/framewright-help.html \
         ./usr/share/applications/example.ombrix.Framewright.desktop \
         ./usr/share/metainfo/example.ombrix.Framewright.metainfo.xml \
         ./usr/share/icons/hicolor/256x256/apps/framewright.png \
         ./usr/share/man/man1/framewright-cli.1; do
  grep -qx "$f" "$tmp/files" || { echo "not in the package: $f"; exit 1; }
done
# Every dependency resolves on this machine's Debian (a simulation: nothing is installed).
if command -v apt-get >/dev/null; then
  apt-get install -s -qq "$deb" >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log"; exit 1; }
fi
dpkg-deb -x "$deb" "$tmp/root"
"$tmp/root/usr/bin/framewright-cli" --version
index=$("$tmp/root/usr/bin/framewright-cli" demo "$tmp/demo" | tail -n 1)
[ -f "$index" ] || { echo "the packed demo wrote no index page"; exit 1; }
