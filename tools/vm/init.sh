#!/bin/bash
# The emulated machine's first and only process: mounts what a test run needs, shares the host's
# folders at their own paths, runs the command the host left in the control folder, writes its
# exit status there and powers off. Settings come from the kernel command line:
#   quorvex.share=PATH (once per shared folder)   quorvex.control=PATH
mount -t proc proc /proc
mount -t sysfs sys /sys 2>/dev/null  # the kernel may have mounted it
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
modprobe 9pnet_virtio
modprobe 9p
ip link set lo up
exec </dev/null >/dev/ttyS0 2>&1

control=
share=0
for word in $(cat /proc/cmdline); do
  case $word in
    quorvex.share=*)
      path=${word#quorvex.share=}
      mkdir -p "$path"
      # Cached: uncached reads of large blocks can come back short, and Wine reads executables so.
      mount -t 9p -o trans=virtio,version=9p2000.L,msize=1048576,cache=loose "share$share" "$path"
      share=$((share + 1))
      ;;
    quorvex.control=*) control=${word#quorvex.control=} ;;
  esac
done

export PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/root
status=1
if [ -n "$control" ] && [ -f "$control/command" ]; then
  cd "$control" && { bash "$control/command"; status=$?; }
fi
[ -n "$control" ] && echo "$status" >"$control/status"
sync
echo o >/proc/sysrq-trigger
sleep 60
