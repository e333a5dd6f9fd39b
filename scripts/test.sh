#!/usr/bin/env bash
# Installs what the tests need, builds everything under build/ and runs every
# test: the unit tests, the widget tests on Qt's offscreen platform and the
# desktop tests of the real program under Xvfb with a window manager.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build
ctest --test-dir build --output-on-failure --timeout 600
