#!/usr/bin/env bash
# Installs the build into a temporary prefix (DESTDIR), checks the installed desktop files, then,
# as a user who cannot write the prefix, runs the installed framewright-cli demo and the
# installed window (offscreen, driven by drive_window), which must store a text block in the
# user's application folder. Exit 77: skipped.
# usage: install_test.sh BUILD_DIR DRIVE_WINDOW_SO
set -euo pipefail
build=$1 driver=$2
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp" 2>/dev/null; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
dest=$tmp/dest prefix=/usr
DESTDIR=$dest cmake --install "$build" --prefix "$prefix" >/dev/null
root=$dest$prefix

for f in bin/framewright bin/framewright-cli share/framewright/framewright-help.html \
         share/applications/example.ombrix.Framewright.desktop \
         share/metainfo/example.ombrix.Framewright.metainfo.xml \
         share/icons/hicolor/scalable/apps/framewright.svg \
         share/icons/hicolor/48x48/apps/framewright.png share/man/man1/framewright-cli.1; do
  [ -e "$root/$f" ] || { echo "not installed: $f"; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/share/applications/example.ombrix.Framewright.desktop"
else
  echo "desktop-file-validate not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/share/metainfo/example.ombrix.Framewright.metainfo.xml" >/dev/null
else
  echo "appstreamcli not installed: metainfo not validated"
fi
if command -v man >/dev/null; then
  man -l "$root/share/man/man1/framewright-cli.1" 2>&1 >/dev/null | grep . && exit 1
fi

# The user: nobody when we are root (root writes anywhere), else ourselves on a read-only prefix.
home=$tmp/home
mkdir -p "$home"
cp "$driver" "$tmp/drive_window.so"
chmod 755 "$tmp/drive_window.so"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "setpriv not installed: skipped"; exit 77; }
  id nobody >/dev/null 2>&1 || { echo "no user nobody: skipped"; exit 77; }
  chown "$(id -u nobody):$(id -g nobody)" "$home"
  as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
else
  chmod -R a-w "$dest"
fi
run() { env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 "$@"; }
as() { run "${as_user[@]}" "$@"; }
if as touch "$root/bin/probe" 2>/dev/null; then echo "the prefix is writable: skipped"; exit 77; fi

index=$(as "$root/bin/framewright-cli" demo "$home/demo" | tail -n 1)
[ -f "$index" ] || { echo "the demo wrote no index page: $index"; exit 1; }

text="Installed header $$"
out=$(as env QT_QPA_PLATFORM=offscreen FW_DRIVE_TEXT="$text" LD_PRELOAD="$tmp/drive_window.so" \
        timeout 60 "$root/bin/framewright")
echo "$out"
if grep -q '^message:' <<<"$out"; then exit 1; fi
grep -qx 'title: Framewright v[0-9]*\.[0-9]*\.[0-9]*' <<<"$out"
dat=$home/.local/share/framewright/Gallery.dat
grep -q "^$text" "$dat" || { echo "no text block in $dat"; exit 1; }
# The command line shares the folder and the store.
[ "$(as "$root/bin/framewright-cli" text Gallery "Gallery Header")" = "$text"$'\r' ] ||
  { echo "framewright-cli does not read the window's text block"; exit 1; }
echo "installed programs ran as $(as id -un)"
