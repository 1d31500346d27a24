#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on an Xvfb display; each run prints one line.
#   tools/bench/run.sh                 every benchmark with its defaults
#   tools/bench/run.sh <bench> [args]  one of them: logview_bench [records],
#                                      logfile_bench save|load|autosave|append|reopen [records],
#                                      hexedit_bench repaint|typing|undo-memory|text-codes,
#                                      coloredit_bench paste|delete-all,
#                                      socket_bench minimal|program|script throughput|echo [buffer],
#                                      server_bench steady|flood [clients] ...,
#                                      capture_import_bench [packets] [FILE],
#                                      receive_bench [blocks of 64 B] [blocks of 4096 B],
#                                      receive_requests [blocks of 64 B] [blocks of 4096 B]
#                                      (receive_bench under a wineserver that traces every
#                                      request, then the requests a block; slow: use small counts),
#                                      serial_bench [frames]
# (tools/bench/capture_import_compare.sh sets the import beside tcpdump and a native build.)
# (QUORVEX_BUILD chooses the build folder, as for test.sh)
# The socket, server, receive and serial benchmarks run in a loopback-only network namespace,
# like the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# Built once on the host; on a machine that cannot run 32-bit code the benchmarks then run in the
# emulated machine (tools/vm/run.sh), whose figures are not real-speed figures.
if [ -z "${QUORVEX_BENCH_BUILT:-}" ]; then
  "$root/tools/build.sh" logview_bench logfile_bench hexedit_bench coloredit_bench socket_bench \
    server_bench capture_import_bench receive_bench serial_bench
fi
source "$root/tools/wine-env.sh"
if ! can_run_32bit_programs; then
  echo "bench: this machine cannot run 32-bit code: the benchmarks run in an emulated machine"
  QUORVEX_BENCH_BUILT=1 QUORVEX_VM_ENV="QUORVEX_BUILD QUORVEX_BENCH_BUILT" \
    exec "$root/tools/vm/run.sh" "$0" "$@"
fi
ensure_wine_prefix
cd "$build_dir/bin"
run() { xvfb-run -a -s "-screen 0 1280x1024x24" wine "$1.exe" "${@:2}"; }
# Each argument is one command line of a benchmark that needs the network namespace.
run_in_namespace() {
  "$root/tools/netns-exec.sh" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wine wineboot >/dev/null 2>&1
    for run in "$@"; do
      wine $run
    done' bash "$@"
}
# receive_bench with the namespace's wineserver replaced by one that writes every request to a
# trace, which server_requests.py then counts per received block.
trace_requests() {
  local trace=$build_dir/receive-requests.trace
  "$root/tools/netns-exec.sh" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wine wineboot >/dev/null 2>&1
    wineserver -k && sleep 1
    wineserver -p -f -d1 2>"$1" &
    sleep 2
    wine receive_bench.exe "${@:2}"
    wineserver -k' bash "$trace" "$@"
  python3 "$root/tools/bench/server_requests.py" "$trace" "$@"
}
if [ $# -gt 0 ]; then
  case "$1" in
    socket_bench|server_bench|receive_bench|serial_bench) run_in_namespace "$1.exe ${*:2}" ;;
    receive_requests) trace_requests "${2:-1000}" "${3:-300}" ;;
    *) run "$@" ;;
  esac
else
  run logview_bench
  for mode in save load autosave append reopen; do run logfile_bench "$mode"; done
  for figure in repaint typing undo-memory text-codes; do run hexedit_bench "$figure"; done
  for figure in paste delete-all; do run coloredit_bench "$figure"; done
  run capture_import_bench
  run_in_namespace "socket_bench.exe minimal throughput" \
                   "socket_bench.exe program throughput 4096" \
                   "socket_bench.exe program throughput 65536" \
                   "socket_bench.exe minimal echo" "socket_bench.exe program echo" \
                   "socket_bench.exe script echo" \
                   "server_bench.exe steady 50 10 10" "server_bench.exe steady 50 40 4" \
                   "server_bench.exe flood 50 5" "receive_bench.exe" "serial_bench.exe"
fi
