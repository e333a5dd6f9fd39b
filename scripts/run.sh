#!/usr/bin/env bash
# Installs what Kestrova needs, builds it under build/ and starts the timer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build build --target kestrova
exec build/kestrova
