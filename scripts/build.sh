#!/usr/bin/env bash
# Configure and build into ./build (Release with debug info): everything, or the targets named as
# arguments (e.g. gallery).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Automoc misses headers added after the first configure (its stamp stays fresh); a rerun is cheap.
find build -path '*_autogen/timestamp' -delete 2>/dev/null || true
cmake --build build --parallel "$(nproc)" ${1:+--target "$@"}
