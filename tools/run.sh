#!/usr/bin/env bash
# Builds the program and starts it under Wine (on a private Xvfb display when there is none).
# An optional argument names a settings document (.qvg) or a log (.qvl) to open.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" Quorvex
source "$root/tools/wine-env.sh"
ensure_wine_prefix
source "$root/tools/program-argument.sh"
args=()
if [ $# -gt 0 ]; then
  args=("$(program_argument "$1")")
fi
cd "$build_dir/bin"
if [ -n "${DISPLAY:-}" ]; then
  exec wine Quorvex.exe "${args[@]}"
fi
echo "run: no DISPLAY, so the program runs on a private Xvfb display; stop it with Ctrl+C" >&2
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine Quorvex.exe "${args[@]}"
