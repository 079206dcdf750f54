#!/usr/bin/env bash
# Builds everything and runs every test: unit tests, window tests on Qt's
# offscreen platform and OpenGL tests under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
cd build
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs"
