#!/usr/bin/env bash
# The long soak: the game under random input for TUMBRIX_SOAK_MINUTES simulated
# minutes (30 unless set), in the sanitizer build (build-asan/, made first if
# missing) or the build folder given as the first argument. Prints the counts per
# simulated minute and the seed (TUMBRIX_SOAK_SEED to change it); the ordinary
# suite runs the same test for a few minutes only.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
dir="${1:-build-asan}"
if [ ! -x "$dir/tests/tumbrix_tests" ]; then
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUMBRIX_SANITIZE=ON -DTUMBRIX_WERROR=ON >/dev/null
  cmake --build "$dir" -j "$(nproc)" --target tumbrix_tests
fi
mkdir -p "$here/$dir/test-appdata"
cd "$dir/game"
export TUMBRIX_SOAK_MINUTES="${TUMBRIX_SOAK_MINUTES:-30}"
export APPDATA="$here/$dir/test-appdata" SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec xvfb-run -a -s "-screen 0 1920x1080x24" "$here/$dir/tests/tumbrix_tests" --gtest_filter='SoakTest.*'
