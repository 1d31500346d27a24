#!/usr/bin/env bash
# Runs a command in a private network namespace that has only loopback, so nothing a test sends
# (broadcast and multicast included) can leave the machine. Multicast is routed to loopback.
set -euo pipefail
if [ "$(id -u)" -eq 0 ]; then
  isolate=(unshare --net)
else
  isolate=(unshare --net --map-current-user)
fi
exec "${isolate[@]}" -- bash -c '
  ip link set lo up multicast on
  ip route add 224.0.0.0/4 dev lo
  exec "$@"' netns "$@"
