#!/usr/bin/env bash
# Install the Debian 12 packages that the build and the tests need (.ci/packages.txt) when any is
# missing, with sudo when not root. Run by start.sh, demo.sh and test.sh; quick when all is there.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t wanted < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' .ci/packages.txt | grep -v '^$')
# Debian's nodejs comes without npm (package npm); Node builds from elsewhere carry their own npm
# and conflict with that package, so it is asked for only when no npm is at hand.
command -v npm >/dev/null 2>&1 || wanted+=(npm)
missing=()
for package in "${wanted[@]}"; do
  [ "$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)" = "ii " ] || missing+=("$package")
done
[ "${#missing[@]}" = 0 ] && exit 0
echo "Installing the Debian packages: ${missing[*]}" >&2
SUDO=()
if [ "$(id -u)" != 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "These packages are missing and sudo is not installed: run this once as root (or install sudo)." >&2
    exit 1
  fi
  SUDO=(sudo)
fi
"${SUDO[@]}" apt-get update
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
