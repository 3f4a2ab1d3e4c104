#!/usr/bin/env bash
# Builds everything and runs the game on the generated sample data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" build/release -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BENCH=OFF
exec "$root/build/release/profile/Tarnwick" "$@"
