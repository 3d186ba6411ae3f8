#!/usr/bin/env bash
# Try the application on this computer alone: install what the build needs, build the application
# with two stand-ins from the tests (fixture_site: both sites with the owner's generated posts;
# fake_service: the product's web service with its AI check), start them, and start the
# application on them. The application keeps this run's settings, history and site sign-ins in
# build/demo/, apart from the owner's own, so that a fixture sign-in never replaces a real one.
# Each start begins with an empty history. Closing the window stops the stand-ins. Arguments go to
# the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh demo

demo=$PWD/build/demo
mkdir -p "$demo/config" "$demo/data" "$demo/cache"
# The stand-in sites start with every comment back: so does the history, so that its counts are
# this run's. Settings and sign-ins stay.
rm -f "$demo/data/Veltrane/scans.sqlite" "$demo/data/Veltrane/scans.sqlite-wal" "$demo/data/Veltrane/scans.sqlite-shm"
pids=()
stop() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap stop EXIT

./build/fixture_site >"$demo/fixture_site.log" 2>&1 &
pids+=($!)
./build/fake_service >"$demo/fake_service.log" 2>&1 &
pids+=($!)
# Each prints what the application needs to reach it.
for _ in $(seq 1 200); do
  if grep -q '^export QTWEBENGINE_CHROMIUM_FLAGS=' "$demo/fixture_site.log" && grep -q '^http://' "$demo/fake_service.log"; then
    break
  fi
  for pid in "${pids[@]}"; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "demo: a stand-in did not start:" >&2
      cat "$demo/fixture_site.log" "$demo/fake_service.log" >&2
      exit 1
    fi
  done
  sleep 0.1
done
eval "$(grep -m1 '^export QTWEBENGINE_CHROMIUM_FLAGS=' "$demo/fixture_site.log")"
VT_SERVER_URL=$(grep -m1 '^http://' "$demo/fake_service.log")
export VT_SERVER_URL XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data" XDG_CACHE_HOME="$demo/cache"
export VT_START_URL="${VT_START_URL:-https://www.youtube.com/}"
echo "demo: the fixture sites and the AI service run on this computer; the service's log (with the"
echo "      codes it \"mails\") is $demo/fake_service.log"
./build/VeltraneBrowser "$@"
