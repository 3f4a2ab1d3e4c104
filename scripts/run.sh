#!/usr/bin/env bash
# Builds everything and runs the game on the generated sample data.
#
# The sample set is installed into a programs folder of its own (out/sample-root), which the game
# finds through TARNWICK_ROOT. Saved games written there survive rebuilds; data.bar is replaced by
# the freshly generated one on every run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" build/release -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BENCH=OFF

programs="$root/out/sample-root"
game="$programs/Brenvale/Tarnwick"
mkdir -p "$game"
cp "$root/build/release/sample-data/Brenvale/Tarnwick/data.bar" "$game/data.bar"
export TARNWICK_ROOT="$programs"
exec "$root/build/release/app/Tarnwick" "$@"
