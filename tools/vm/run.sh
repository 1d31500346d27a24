#!/usr/bin/env bash
# Runs a command in an emulated x86-64 machine, for hosts that cannot execute 32-bit code (a
# kernel booted with ia32_emulation=off refuses 32-bit programs and 32-bit code segments alike,
# so neither Wine's 32-bit loader nor its WoW64 mode can work there). The machine is a minimal
# Debian (tools/vm/image.sh) booted under QEMU's software emulation, with no network device: it
# has only loopback. The project and build folders are shared at their own paths, so build-tree
# paths mean the same inside. The command runs as root in bash, in the current folder, with the
# variables named in QUORVEX_VM_ENV passed on; its output is this script's, its status this
# script's status.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=${QUORVEX_BUILD:-$root/build}
source "$root/tools/vm/image.sh"
ensure_vm_image

control=$build_dir/vm-control
rm -rf "$control"
mkdir -p "$control"
{
  echo 'set -e'
  for name in ${QUORVEX_VM_ENV:-}; do
    [ -n "${!name+set}" ] && printf 'export %s=%q\n' "$name" "${!name}"
  done
  printf 'cd %q\n' "$PWD"
  printf '%q ' "$@"
  echo
} >"$control/command"

shares=("$root")
case $build_dir/ in "$root"/*) ;; *) shares+=("$build_dir") ;; esac
# The paths travel on the kernel command line, which splits at blanks.
for path in "${shares[@]}"; do
  if [[ $path =~ [[:space:]] ]]; then
    echo "vm: the emulated machine cannot share a folder whose path has a blank: $path" >&2
    exit 1
  fi
done
args=()
cmdline="root=LABEL=quorvex rw console=ttyS0 init=/sbin/quorvex-init quiet loglevel=1 panic=-1"
for i in "${!shares[@]}"; do
  args+=(-virtfs "local,path=${shares[$i]},mount_tag=share$i,security_model=passthrough,id=share$i")
  cmdline+=" quorvex.share=${shares[$i]}"
done
cmdline+=" quorvex.control=$control"

# The console is a terminal, so programs may colour their output: the colours are taken out.
# The qemu64 model: richer models make this kernel fault on Wine's 32-bit code under emulation.
# -snapshot keeps the image unchanged, so runs can share it.
timeout "${QUORVEX_VM_TIMEOUT:-4800}" qemu-system-x86_64 -accel tcg,thread=multi -cpu qemu64 \
  -smp "${QUORVEX_VM_CPUS:-$(nproc)}" -m "${QUORVEX_VM_MEMORY:-8G}" -nographic -no-reboot -snapshot -nic none \
  -kernel "$vm_dir/vmlinuz" -initrd "$vm_dir/initrd.img" -append "$cmdline" \
  -drive "file=$vm_dir/root.img,format=raw,if=virtio" "${args[@]}" </dev/null |
  sed -u -e 's/\r$//' -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\x1bc//g' -e '/^SeaBIOS/d' \
        -e '/^Booting from/d' -e '/sysrq: Power Off/d' -e '/reboot: Power down/d'
if [ ! -f "$control/status" ]; then
  echo "vm: the emulated machine ended without the command's status" >&2
  exit 1
fi
exit "$(cat "$control/status")"
