#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on an Xvfb display; each prints one line.
#   tools/bench/run.sh [records]     (QUORVEX_BUILD chooses the build folder, as for test.sh)
# The records are those of the log view bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/tools/build.sh" logview_bench hexedit_bench
source "$root/tools/wine-env.sh"
ensure_wine_prefix
cd "$build_dir/bin"
xvfb-run -a -s "-screen 0 1280x1024x24" wine logview_bench.exe "$@"
for figure in repaint typing undo-memory; do
  xvfb-run -a -s "-screen 0 1280x1024x24" wine hexedit_bench.exe "$figure"
done
