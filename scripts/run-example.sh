#!/usr/bin/env bash
# Builds the suite and computes the example model with the Gelmar driver.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target gelmar-calc
out=build/example-run
mkdir -p "$out"
cp examples/wall.glm "$out/"
cd "$out"
../bin/gelmar-calc wall.glm
echo "Results written to $(pwd):"
ls -1
