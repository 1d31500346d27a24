#!/usr/bin/env bash
# Runs a command in a private network namespace that has only loopback, so nothing a test sends
# (broadcast and multicast included) can leave the machine. Multicast and the limited broadcast
# are routed to loopback, from 127.0.0.1, so that a UDP test can send and receive both there.
#
# Wine creates every socket inside the wineserver, so the programs' sockets live in the network
# namespace of the wineserver, not of the process that started them. The command therefore gets
# a wineserver of its own, started inside the namespace. Debian's Wine keeps the server's socket
# under /run/user/<uid>/wine when that folder exists, otherwise under $TMPDIR/wine-XXXXXX (the
# name kept in the prefix); both are replaced by private, empty folders here, so that a
# wineserver already running for the same prefix (tools/run.sh, say) is neither used nor stopped.
# Without its own wineserver the command does not run. The server's own output goes to
# wineserver.log in the build folder: a serial test's pseudo-terminal becomes the server's
# controlling terminal, and when the test closes it the server answers the hang-up with a list of
# all its objects, thousands of lines that do not belong among the tests' results.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
if [ "$(id -u)" -eq 0 ]; then
  isolate=(unshare --net --mount)
else
  isolate=(unshare --net --mount --map-current-user)
fi
# The namespace's own TMPDIR: an empty folder, with a private file system mounted on it inside.
export TMPDIR
TMPDIR=$(mktemp -d)
export QUORVEX_WINESERVER_LOG="$build_dir/wineserver.log"
mkdir -p "$build_dir"
trap 'rmdir "$TMPDIR"' EXIT
status=0
"${isolate[@]}" -- bash -c '
  set -euo pipefail
  ip link set lo up multicast on
  ip route add 224.0.0.0/4 dev lo src 127.0.0.1
  ip route add 255.255.255.255 dev lo src 127.0.0.1
  mount -t tmpfs -o mode=0700 tmpfs "$TMPDIR"
  [ -d /run/user ] && mount -t tmpfs -o mode=0755 tmpfs /run/user
  wineserver -p 2>"$QUORVEX_WINESERVER_LOG"
  if ! ls "$TMPDIR"/wine-*/server-*/socket >/dev/null 2>&1; then
    echo "netns: no wineserver could be started inside the test namespace" >&2
    exit 1
  fi
  status=0
  "$@" || status=$?
  wineserver -k || true
  exit $status' netns "$@" || status=$?
exit $status
