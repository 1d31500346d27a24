#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on an Xvfb display; each run prints one line.
#   tools/bench/run.sh                 every benchmark with its defaults
#   tools/bench/run.sh <bench> [args]  one of them: logview_bench [records],
#                                      logfile_bench save|load|autosave|append|reopen [records],
#                                      hexedit_bench repaint|typing|undo-memory
# (QUORVEX_BUILD chooses the build folder, as for test.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/tools/build.sh" logview_bench logfile_bench hexedit_bench
source "$root/tools/wine-env.sh"
ensure_wine_prefix
cd "$build_dir/bin"
run() { xvfb-run -a -s "-screen 0 1280x1024x24" wine "$1.exe" "${@:2}"; }
if [ $# -gt 0 ]; then
  run "$@"
else
  run logview_bench
  for mode in save load autosave append reopen; do run logfile_bench "$mode"; done
  for figure in repaint typing undo-memory; do run hexedit_bench "$figure"; done
fi
