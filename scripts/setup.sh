#!/usr/bin/env bash
# Install the Debian 12 packages the build needs (.ci/packages.txt) when any is missing, with sudo
# when not root.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
missing=$(xargs -a .ci/packages.txt dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' 2>/dev/null | awk '$1 != "ii" {print $2}' || true)
if [ -n "$missing" ] || ! xargs -a .ci/packages.txt dpkg-query -W >/dev/null 2>&1; then
  $SUDO apt-get update
  xargs -a .ci/packages.txt $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y
fi
