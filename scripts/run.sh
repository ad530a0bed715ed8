#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vesmer. Without a display it says so and prints
# the default history through the command-line front end instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVESMER_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"

if [ -x build/app/vesmer ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/app/vesmer
fi
echo "No display is available: printing the default history with vesmer-cli instead."
exec build/cli/vesmer-cli
