#!/usr/bin/env bash
# Runs every test of an existing build through ctest: inside a loopback-only network namespace
# with a wineserver of its own kept alive for the whole run (tools/netns-exec.sh), on one Xvfb
# display. Arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/wine-env.sh"
ensure_wine_prefix

export QUORVEX_CTEST_ARGS="$*"
# Wine's own background processes (services, the desktop window) are started before ctest, with
# their output discarded: started by a test, they would hold its output pipe open after it ends.
exec "$root/tools/netns-exec.sh" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wine wineboot >/dev/null 2>&1
  ctest --test-dir "'"$build_dir"'" --output-on-failure -j"$(nproc)" $QUORVEX_CTEST_ARGS'
