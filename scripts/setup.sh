#!/usr/bin/env bash
# Installs everything Tumbrix needs to build, test and run on Debian/Ubuntu.
# Safe to run again: packages already present are skipped, the font is fetched once.
# Needs root or sudo for apt-get. With --fuzz it also installs clang and its
# libFuzzer runtime, which only scripts/fuzz.sh needs (the tests do not).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libsdl2-mixer-dev libglew-dev libfreetype-dev libjsoncpp-dev libstb-dev
  libvorbis-dev libogg-dev libglm-dev libutfcpp-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth
  desktop-file-utils appstream
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-dev)
fi

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
# npm only matters when it is not already on the PATH (e.g. NodeSource's nodejs ships its own).
if ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
else
  echo "setup: system packages already installed"
fi

# The game's font: "Press Start 2P" (SIL Open Font License), from the npm registry.
# Pinned so every build draws the same glyphs. Kept out of git in .deps/.
font_pkg="@expo-google-fonts/press-start-2p"
font_version="0.4.1"
font_dir="$here/.deps/font"
if [ ! -f "$font_dir/PressStart2P.ttf" ] || [ ! -f "$font_dir/OFL.txt" ]; then
  echo "setup: fetching $font_pkg@$font_version"
  tmp="$(mktemp -d)"
  trap 'rm -rf "$tmp"' EXIT
  (cd "$tmp" && npm pack --silent "$font_pkg@$font_version" >/dev/null)
  tar -xzf "$tmp"/*.tgz -C "$tmp"
  mkdir -p "$font_dir"
  cp "$tmp/package/400Regular/PressStart2P_400Regular.ttf" "$font_dir/PressStart2P.ttf"
  cp "$tmp/package/LICENSE_FONT" "$font_dir/OFL.txt"
else
  echo "setup: font already present"
fi
