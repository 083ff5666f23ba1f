#!/usr/bin/env bash
# Start-up figures of Tumbrix beside its floor and a peer, in one run, one program at a time.
# For each program: the time from launch to its first non-blank screen, the CPU it uses
# while its first screens show (seconds 5 to 15 after that), and its peak resident memory;
# then each figure as a ratio to the floor's. The floor is benchmarks/probe/quad_probe.cpp
# (one full-window textured quad at 60 fps): what the window system and the software
# renderer cost before a game draws anything. SuperTux is measured when installed.
# Everything runs under its own Xvfb at 1920x1080 with SDL's dummy audio driver.
# This script reports; it never fails a build or a test.
# Each program is measured RUNS times (one after the other) and each figure's median is shown.
#   scripts/bench.sh [BUILD_DIR] [RUNS]     (default: build, 3; the game must be built there)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-3}
for tool in Xvfb import bc g++ sdl2-config; do
  command -v $tool >/dev/null || { echo "bench.sh needs $tool (apt-get install xvfb imagemagick bc g++ libsdl2-dev)"; exit 2; }
done
settle=5      # seconds after the first screen before CPU is sampled: the splash and menu are up
sample=10     # seconds of CPU sampling
out=$build/bench
mkdir -p "$out"
probe=$out/quad_probe
if [ ! -x "$probe" ] || [ "$root/benchmarks/probe/quad_probe.cpp" -nt "$probe" ]; then
  g++ -O2 "$root/benchmarks/probe/quad_probe.cpp" -o "$probe" $(sdl2-config --cflags --libs) -lGL || exit 2
fi

# measure NAME WORKDIR COMMAND...: prints "first cpu rss" (seconds, % of a core, MiB).
measure() {
  local name=$1 dir=$2; shift 2
  local display=:$((70 + RANDOM % 100))
  while [ -e /tmp/.X${display#:}-lock ]; do display=:$((70 + RANDOM % 100)); done
  Xvfb $display -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & local xvfb=$!
  sleep 1
  local home; home=$(mktemp -d)
  local t0 first="" pid
  t0=$(date +%s.%N)
  (cd "$dir" && DISPLAY=$display SDL_AUDIODRIVER=dummy HOME=$home XDG_DATA_HOME=$home/.local/share exec "$@") \
    >"$out/$name.log" 2>&1 & pid=$!
  for _ in $(seq 1 400); do
    sleep 0.05
    local peak
    peak=$(import -display $display -window root -resize 64x36 -format '%[fx:maxima]' info: 2>/dev/null)
    if [ -n "$peak" ] && awk "BEGIN{exit !($peak > 0.02)}"; then first=$(echo "$(date +%s.%N) - $t0" | bc); break; fi
  done
  sleep $settle
  local c1 c2
  c1=$(awk '{print $14+$15}' /proc/$pid/stat 2>/dev/null)
  sleep $sample
  c2=$(awk '{print $14+$15}' /proc/$pid/stat 2>/dev/null)
  local cpu rss
  cpu=$(echo "scale=1; (${c2:-0} - ${c1:-0}) * 100 / $(getconf CLK_TCK) / $sample" | bc)
  rss=$(awk '/VmHWM/ {printf "%.0f", $2 / 1024}' /proc/$pid/status 2>/dev/null)
  import -display $display -window root "$out/$name.png" 2>/dev/null
  kill $pid 2>/dev/null; sleep 0.5; kill -9 $pid 2>/dev/null; wait $pid 2>/dev/null
  kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null
  rm -rf "$home"
  echo "${first:-0} ${cpu:-0} ${rss:-0}"
}

# median_of NAME WORKDIR COMMAND...: measures RUNS times, prints the median of each figure.
median_of() {
  local all=() i
  for i in $(seq 1 "$runs"); do all+=("$(measure "$@")"); done
  local column out=""
  for column in 1 2 3; do
    out+="$(printf '%s\n' "${all[@]}" | awk -v c=$column '{print $c}' | sort -g | awk '{v[NR]=$1} END {print v[int((NR + 1) / 2)]}') "
  done
  echo "$out"
}

ratio() { awk "BEGIN{ if ($2 > 0) printf \"%.2f\", $1 / $2; else print \"-\" }"; }

declare -A rows
names=(floor tumbrix)
rows[floor]=$(median_of floor "$out" "$probe" 1200 1)
rows[tumbrix]=$(median_of tumbrix "$build/game" ./tumbrix)
if [ -x /usr/games/supertux2 ]; then
  names+=(supertux)
  rows[supertux]=$(median_of supertux /tmp /usr/games/supertux2)
fi

read -r ff fc fr <<<"${rows[floor]}"
echo "median of $runs runs each, one program at a time"
printf "%-10s %12s %8s %10s   %s\n" program first-screen cpu peak-rss "ratios to the floor (screen, cpu, rss-floor)"
for n in "${names[@]}"; do
  read -r f c r <<<"${rows[$n]}"
  printf "%-10s %11.2fs %7.0f%% %6d MiB   x%s x%s %+d MiB\n" "$n" "$f" "$c" "$r" "$(ratio "$f" "$ff")" "$(ratio "$c" "$fc")" $((r - fr))
done
echo "targets: first screen <= x1.25, cpu <= x1.25, peak rss <= floor +30 MiB, and ahead of supertux on all three"
echo "last screens: $out/*.png"
