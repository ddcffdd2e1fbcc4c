#!/usr/bin/env bash
# Builds every source once without the precompiled headers, so that a unit that
# leans on what the shared header happens to include (a missing #include) fails
# here and not in a later, unrelated change. Usage: scripts/check-no-pch.sh [jobs]
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${1:-4}
LAUNCHER=()
if command -v ccache >/dev/null; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build/nopch -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZIDI_BUILD_TESTS=ON \
  -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON "${LAUNCHER[@]}" >/dev/null
# -k 0: report every unit that fails, not only the first.
cmake --build build/nopch -j "$JOBS" -- -k 0
echo "Every source compiles without the precompiled headers."
