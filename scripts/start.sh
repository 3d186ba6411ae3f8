#!/usr/bin/env bash
# Install what the build needs (Debian 12, asks for sudo when not root), build, and start the application.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
missing=$(xargs -a .ci/packages.txt dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' 2>/dev/null | awk '$1 != "ii" {print $2}' || true)
if [ -n "$missing" ] || ! xargs -a .ci/packages.txt dpkg-query -W >/dev/null 2>&1; then
  $SUDO apt-get update
  xargs -a .ci/packages.txt $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y
fi
bash scripts/build.sh
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
exec ./build/VeltraneBrowser "$@"
