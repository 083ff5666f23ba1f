#!/usr/bin/env bash
# Frame rate of every level at its busiest moment at 1920x1080 under Xvfb (software
# rendering), one line a level: runs benchmarks/level_fps.cpp from the game's folder.
# It reports; it never fails a build or a test.
#   scripts/fps.sh [BUILD_DIR] [SECONDS_PER_LEVEL]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${2:-3}
[ -x "$build/benchmarks/level_fps" ] || { echo "fps.sh: build the benchmarks first ($build/benchmarks/level_fps)"; exit 2; }
home=$(mktemp -d)
cd "$build/game" && HOME=$home XDG_DATA_HOME=$home/.local/share SDL_AUDIODRIVER=dummy \
  xvfb-run -a -s "-screen 0 1920x1080x24" "$build/benchmarks/level_fps" "$seconds" | grep -E "fps|window|level|finale|menu"
rm -rf "$home"
