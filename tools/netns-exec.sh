#!/usr/bin/env bash
# Runs a command in a private network namespace that has only loopback, so nothing a test sends
# (broadcast and multicast included) can leave the machine. Multicast and the limited broadcast
# are routed to loopback, from 127.0.0.1, so that a UDP test can send and receive both there.
set -euo pipefail
if [ "$(id -u)" -eq 0 ]; then
  isolate=(unshare --net)
else
  isolate=(unshare --net --map-current-user)
fi
exec "${isolate[@]}" -- bash -c '
  ip link set lo up multicast on
  ip route add 224.0.0.0/4 dev lo src 127.0.0.1
  ip route add 255.255.255.255 dev lo src 127.0.0.1
  exec "$@"' netns "$@"
