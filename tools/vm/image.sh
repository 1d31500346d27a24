# Sourced by tools/vm/run.sh: the emulated machine's disk image, made once and cached outside the
# work tree. It is a minimal Debian of the host's release with Wine (with its 32-bit loader),
# Xvfb, socat, Python, CMake's ctest, the Japanese font and locale: what a test run needs besides
# the programs, which come from the host's build tree.
vm_cache=${QUORVEX_CACHE:-/var/cache/quorvex}/vm
vm_packages=(
  wine wine32:i386 xvfb xauth socat python3 iproute2 cmake fonts-ipafont-gothic fonts-wine locales
)
# A change to the image's recipe or its first process makes a new image.
vm_version=$(cat "${BASH_SOURCE[0]}" "$(dirname "${BASH_SOURCE[0]}")/init.sh" | sha256sum | cut -c1-12)
vm_dir=$vm_cache/$vm_version

ensure_vm_image() {
  [ -f "$vm_dir/ready" ] && return 0
  echo "vm: making the emulated machine's image in $vm_dir (a few minutes, once)"
  rm -rf "$vm_cache"
  mkdir -p "$vm_dir"
  local codename tree=$vm_dir/tree
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  if ! debootstrap --variant=minbase --include=linux-image-amd64,kmod,udev,iproute2,procps \
         "$codename" "$tree" http://deb.debian.org/debian >"$vm_dir/debootstrap.log" 2>&1; then
    echo "vm: debootstrap failed; see $vm_dir/debootstrap.log" >&2
    exit 1
  fi
  cp /etc/resolv.conf "$tree/etc/resolv.conf"
  # Packages are installed in a private mount namespace, so the binds end with it.
  if ! unshare --mount -- bash -c '
      set -e
      for d in /proc /sys /dev; do mount --rbind "$d" "$1$d"; done
      shift
      chroot "$0" bash -c "
        set -e
        export DEBIAN_FRONTEND=noninteractive
        dpkg --add-architecture i386
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends $* >/dev/null
        sed -i \"s/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/\" /etc/locale.gen
        locale-gen >/dev/null
        apt-get clean"' "$tree" "$tree" "${vm_packages[@]}" >"$vm_dir/packages.log" 2>&1; then
    echo "vm: installing the packages failed; see $vm_dir/packages.log" >&2
    exit 1
  fi
  install -m 0755 "$(dirname "${BASH_SOURCE[0]}")/init.sh" "$tree/sbin/quorvex-init"
  cp -L "$tree"/vmlinuz "$vm_dir/vmlinuz"
  cp -L "$tree"/initrd.img "$vm_dir/initrd.img"
  mke2fs -q -t ext4 -L quorvex -d "$tree" "$vm_dir/root.img" 6G >/dev/null
  rm -rf "$tree"
  touch "$vm_dir/ready"
}
