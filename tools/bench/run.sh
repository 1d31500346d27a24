#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on an Xvfb display; each run prints one line.
#   tools/bench/run.sh                 every benchmark with its defaults
#   tools/bench/run.sh <bench> [args]  one of them: logview_bench [records],
#                                      logfile_bench save|load|autosave|append|reopen [records],
#                                      hexedit_bench repaint|typing|undo-memory,
#                                      socket_bench minimal|program throughput|echo [buffer]
# (QUORVEX_BUILD chooses the build folder, as for test.sh)
# The socket benchmarks run in a loopback-only network namespace, like the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/tools/build.sh" logview_bench logfile_bench hexedit_bench socket_bench
source "$root/tools/wine-env.sh"
ensure_wine_prefix
cd "$build_dir/bin"
run() { xvfb-run -a -s "-screen 0 1280x1024x24" wine "$1.exe" "${@:2}"; }
# Each argument is one socket_bench command line.
run_socket_bench() {
  "$root/tools/netns-exec.sh" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wineserver -p
    trap "wineserver -k" EXIT
    wine wineboot >/dev/null 2>&1
    for run in "$@"; do
      wine socket_bench.exe $run
    done' bash "$@"
}
if [ $# -gt 0 ]; then
  if [ "$1" = socket_bench ]; then run_socket_bench "${*:2}"; else run "$@"; fi
else
  run logview_bench
  for mode in save load autosave append reopen; do run logfile_bench "$mode"; done
  for figure in repaint typing undo-memory; do run hexedit_bench "$figure"; done
  run_socket_bench "minimal throughput" "program throughput 4096" "program throughput 65536" \
                   "minimal echo" "program echo"
fi
