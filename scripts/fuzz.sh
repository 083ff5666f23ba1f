#!/usr/bin/env bash
# Fuzzes the game's loaders with libFuzzer. Builds build-fuzz/ with clang (the
# sanitizers included) and runs each fuzz target in turn for a while at the lowest
# priority. New inputs go to build-fuzz/corpus/<target>/, crashes and the like to
# build-fuzz/findings/; a finding, once fixed, belongs in fuzz/corpus/<target>/ as
# a regression case. CI does not fuzz: the tests only replay fuzz/corpus.
#
#   bash scripts/fuzz.sh [seconds per target (600)] [target ...]
# TUMBRIX_FUZZ_FLAGS adds libFuzzer options (e.g. "-max_len=8192 -timeout=120").
# Targets: level_world texture_decode utf8_to_utf16 index_shaders index_textures
#          index_fonts index_sounds (all when none is named).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

bash scripts/setup.sh --fuzz
seconds="${1:-600}"
[ "$#" -gt 0 ] && shift
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(level_world texture_decode utf8_to_utf16 index_shaders index_textures index_fonts index_sounds)
fi

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTUMBRIX_FUZZ=ON -DTUMBRIX_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# The level target writes each input and its save to a file: keep that off the disk.
if [ -d /dev/shm ]; then export TMPDIR=/dev/shm; fi
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"

for target in "${targets[@]}"; do
  seeds=("fuzz/corpus/$target")
  if [ "$target" = level_world ]; then seeds+=(data/saves tests/data/levels tests/data/broken_levels); fi
  mkdir -p "build-fuzz/corpus/$target" build-fuzz/findings
  echo "== fuzzing $target for $seconds s"
  nice -n 19 "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=30 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" ${TUMBRIX_FUZZ_FLAGS:-} \
    "build-fuzz/corpus/$target" "${seeds[@]}"
done
