#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's environment (used by ctest).
#
# A Wine process that the program causes to start (the desktop window's process, when it had
# closed because no program ran for a moment, or a program it starts) inherits the program's
# output handles and keeps them open long after the program ended, so a caller that reads the
# output to its end (ctest, Python's subprocess) would wait for that process and time out. The
# program therefore writes into files, which are passed on once it has ended.
source "$(dirname "$0")/wine-env.sh"
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
wine "$@" >"$out" 2>"$err" || status=$?
cat "$out"
cat "$err" >&2
exit "$status"
