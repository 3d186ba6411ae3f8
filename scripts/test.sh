#!/usr/bin/env bash
# Install what the build and the tests need (Debian 12, asks for sudo when not root), build, then
# run every test headless. Benchmarks are built but not run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)"
