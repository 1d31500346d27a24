#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on an Xvfb display; each prints one line.
#   tools/bench/run.sh [records]     (QUORVEX_BUILD chooses the build folder, as for test.sh)
# The socket benchmarks run in a loopback-only network namespace, like the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/tools/build.sh" logview_bench socket_bench
source "$root/tools/wine-env.sh"
ensure_wine_prefix
cd "$build_dir/bin"
xvfb-run -a -s "-screen 0 1280x1024x24" wine logview_bench.exe "$@"
"$root/tools/netns-exec.sh" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wineserver -p
  trap "wineserver -k" EXIT
  wine wineboot >/dev/null 2>&1
  for run in "minimal throughput" "program throughput 4096" "program throughput 65536" \
             "minimal echo" "program echo"; do
    wine socket_bench.exe $run
  done'
