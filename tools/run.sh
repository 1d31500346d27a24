#!/usr/bin/env bash
# Builds the program and starts it under Wine (on a private Xvfb display when there is none).
# An optional argument names a settings document (.qvg) or a log (.qvl) to open.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" Quorvex
source "$root/tools/wine-env.sh"
ensure_wine_prefix
# The program takes one path in double quotes, as the file association passes it. Wine quotes an
# argument only when it holds a blank, so a path without one gets its quotes here.
args=()
if [ $# -gt 0 ]; then
  # Drive Z: is the Linux root in every Wine prefix.
  if dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd); then
    path="Z:${dir//\//\\}\\$(basename "$1")"
  else
    path=$1
  fi
  case "$path" in
    *" "*) args=("$path") ;;
    *) args=("\"$path\"") ;;
  esac
fi
cd "$build_dir/bin"
if [ -n "${DISPLAY:-}" ]; then
  exec wine Quorvex.exe "${args[@]}"
fi
echo "run: no DISPLAY, so the program runs on a private Xvfb display; stop it with Ctrl+C" >&2
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine Quorvex.exe "${args[@]}"
