#!/usr/bin/env bash
# Set up, build (Release) and start the configurator.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZIDI_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target zidi
EXE=build/release/app/zidi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$EXE" "$@"
else
  echo "No display found: starting the configurator under xvfb-run."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$EXE" "$@"
fi
