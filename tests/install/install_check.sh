#!/usr/bin/env bash
# Installs the built game into a throw-away prefix and checks what a desktop
# needs: the executable, the run-time folder beside it in share/tumbrix, a valid
# desktop entry and AppStream metainfo, and the icon at every hicolor size.
# Usage: install_check.sh <build-dir>
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
[[ -x "$prefix/bin/tumbrix" ]] || fail "no executable in bin/"
[[ ! -e "$prefix/share/tumbrix/tumbrix" ]] || fail "the executable was copied into the data folder too"
for f in shaders/00_list_file.txt textures/00_list_file.txt Audio/00_list_file.txt saves/Save0.json; do
  [[ -s "$prefix/share/tumbrix/$f" ]] || fail "share/tumbrix/$f is missing or empty"
done
[[ -s "$prefix/share/doc/tumbrix/LICENSE" ]] || fail "share/doc/tumbrix/LICENSE is missing"
if [[ -s "$prefix/share/tumbrix/fonts/PressStart2P.ttf" ]]; then
  [[ -s "$prefix/share/tumbrix/fonts/OFL.txt" ]] || fail "the font is installed without its licence"
fi
for size in 16 32 48 64 128 256; do
  [[ -s "$prefix/share/icons/hicolor/${size}x${size}/apps/tumbrix.png" ]] || fail "no ${size}x${size} icon"
done
desktop-file-validate "$prefix/share/applications/io.github.tumbrix.Tumbrix.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.tumbrix.Tumbrix.metainfo.xml" >/dev/null \
  || fail "the AppStream metainfo does not validate"
echo "install check: ok"
