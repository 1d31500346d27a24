#!/usr/bin/env bash
# Builds the program and starts it under Wine (on a private Xvfb display when there is none).
# Arguments are passed to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" Quorvex
source "$root/tools/wine-env.sh"
ensure_wine_prefix
cd "$build_dir/bin"
if [ -n "${DISPLAY:-}" ]; then
  exec wine Quorvex.exe "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine Quorvex.exe "$@"
