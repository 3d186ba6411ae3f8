#!/usr/bin/env bash
# Install what the build needs (Debian 12, asks for sudo when not root), build the application and
# the agent bridge beside it (not the tests or benchmarks), and start the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Automoc misses headers added after the first configure (its stamp stays fresh); a rerun is cheap.
find build -path '*_autogen/timestamp' -delete 2>/dev/null || true
cmake --build build --parallel "$(nproc)" --target app
# Run as root, the program switches the web engine's sandbox off by itself (and says so).
exec ./build/VeltraneBrowser "$@"
