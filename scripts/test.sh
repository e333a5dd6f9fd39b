#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test: the
# unit tests, the widget tests on Qt's offscreen platform and the desktop
# tests of the real program under Xvfb with a window manager (build/); then
# the unit and widget tests again built with AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer (build-asan/), where any
# report fails the run; last a bounded run of the seconds field's fuzz target
# built with clang (build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build
ctest --test-dir build --output-on-failure --timeout 600

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
  -DKESTROVA_SANITIZE=ON -DKESTROVA_DESKTOP_TESTS=OFF
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:strict_string_checks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure --timeout 600 -j2

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=ON -DKESTROVA_FUZZ=ON -DKESTROVA_DESKTOP_TESTS=OFF
cmake --build build-fuzz --target field_fuzzer
ctest --test-dir build-fuzz --output-on-failure -L fuzz
