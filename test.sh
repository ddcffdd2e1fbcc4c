#!/usr/bin/env bash
# Set up, build with AddressSanitizer and UndefinedBehaviorSanitizer, run every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
JOBS=$(nproc)
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZIDI_SANITIZE=ON -DZIDI_BUILD_TESTS=ON >/dev/null
cmake --build build/test -j "$JOBS"
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" "$@"
