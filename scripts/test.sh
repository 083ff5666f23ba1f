#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test twice: a normal build
# (build/) and an AddressSanitizer + UndefinedBehaviorSanitizer build (build-asan/).
# Both treat compiler warnings as errors.
# Every test process gets its own virtual X display (see tests/CMakeLists.txt).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

bash scripts/setup.sh
jobs="$(nproc)"

run_suite() {
  local dir="$1"; shift
  echo "== Building $dir"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== Testing $dir"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 600
}

run_suite build -DTUMBRIX_WERROR=ON
run_suite build-asan -DTUMBRIX_SANITIZE=ON -DTUMBRIX_WERROR=ON
