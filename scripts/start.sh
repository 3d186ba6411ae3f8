#!/usr/bin/env bash
# Install what the build needs (Debian 12, asks for sudo when not root), build the application and
# the agent bridge beside it (not the tests or benchmarks), and start the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh app
# Run as root, the program switches the web engine's sandbox off by itself (and says so).
exec ./build/VeltraneBrowser "$@"
