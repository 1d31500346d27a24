#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, once: later runs only check.
# Shared by tools/run.sh and tools/test.sh.
set -euo pipefail

packages=(
  wine wine32:i386 mingw-w64 cmake ninja-build xvfb xauth socat python3 iproute2
  fonts-ipafont-gothic fonts-wine googletest dpkg-dev locales
  clang libclang-rt-dev  # the native sanitizer build and libFuzzer (tools/native-test.sh)
  wireshark-common  # text2pcap, editcap and mergecap make the capture tests' files
  tcpdump  # the capture import's benchmark reads its file with it too
)

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: run as root (or install these packages yourself): $*" >&2
    exit 1
  fi
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_root "the i386 architecture"
  dpkg --add-architecture i386
  rm -f /var/lib/apt/periodic/quorvex-updated
fi

# The Lua sources come from Debian's source packages, which need a deb-src entry.
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
src_list=/etc/apt/sources.list.d/quorvex-src.sources
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  need_root "a deb-src entry"
  cat >"$src_list" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  rm -f /var/lib/apt/periodic/quorvex-updated
fi

# Installs those of the named packages that are missing.
install_missing() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  need_root "${missing[*]}"
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  touch /var/lib/apt/periodic/quorvex-updated 2>/dev/null || true
}
install_missing "${packages[@]}"

# A kernel that cannot execute 32-bit code runs the tests in an emulated machine (tools/vm/).
source "$(dirname "$0")/wine-env.sh"
can_run_32bit_programs || install_missing qemu-system-x86 debootstrap e2fsprogs

# Wine takes the code page 932 from LANG, but converts file names through the C library's locale:
# without a generated UTF-8 locale, Japanese file names cannot be created.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  need_root "the ja_JP.UTF-8 locale"
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi

# Lua 5.1 source, cached outside the work tree so fresh clones on this machine reuse it.
lua_cache=${QUORVEX_CACHE:-/var/cache/quorvex}/lua5.1
if ! ls "$lua_cache"/lua5.1-*/src/lua.h >/dev/null 2>&1; then
  [ -f /var/lib/apt/periodic/quorvex-updated ] || { apt-get update -qq; touch /var/lib/apt/periodic/quorvex-updated 2>/dev/null || true; }
  mkdir -p "$lua_cache"
  if ! (cd "$lua_cache" && apt-get source -qq lua5.1 >/dev/null 2>&1); then
    echo "setup: could not fetch the lua5.1 source package" >&2
    exit 1
  fi
fi
