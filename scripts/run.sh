#!/usr/bin/env bash
# Sets up the machine, builds the game and runs it from its run-time folder.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tumbrix game_data
cd build/game
exec ./tumbrix "$@"
