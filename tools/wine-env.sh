# Sourced by the tools: the Wine environment every run of the program and its tests uses, and the
# one-time creation of the project's own Wine prefix inside the build tree.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${QUORVEX_BUILD:-$root/build}

export WINEPREFIX=${WINEPREFIX:-$build_dir/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# Japanese code page 932 for the ANSI build; no .NET or HTML engine and no desktop menu entries.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 2>/dev/null
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Bumped whenever the prefix set-up below changes, so existing prefixes are made anew.
prefix_version=3

# The program and Wine's loader are 32-bit: a kernel without 32-bit emulation (booted without
# ia32_emulation) refuses to start them with a bare "Exec format error".
can_run_32bit_programs() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

ensure_32bit_programs_run() {
  can_run_32bit_programs && return 0
  echo "wine: this machine cannot run 32-bit programs (its kernel has 32-bit emulation switched" \
       "off; it needs ia32_emulation=on at boot), so the program cannot run here; tools/test.sh" \
       "runs the tests in an emulated machine instead" >&2
  exit 1
}

ensure_wine_prefix() {
  ensure_32bit_programs_run
  [ -f "$WINEPREFIX/.quorvex-ready-$prefix_version" ] && return 0
  echo "wine: creating the prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  if ! env -u DISPLAY WINEARCH=win32 wineboot -i >/dev/null 2>&1; then
    echo "wine: could not create the prefix $WINEPREFIX" >&2
    exit 1
  fi
  wineserver -w

  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  # Without Wine's own Tahoma and Marlett, frame glyphs draw as plain letters.
  cp -L /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
        /usr/share/wine/fonts/marlett.ttf /usr/share/fonts/opentype/ipafont-gothic/ipag*.ttf "$fonts/"

  # Japanese dialog fonts resolve to the IPA fonts. There is no window manager: undecorated
  # windows still get caption clicks, and unmanaged ones close at once instead of Wine waiting
  # about two seconds per shown window for a manager's answer. A crashing program prints its
  # backtrace and ends, instead of waiting on a crash dialog that nobody sees.
  local reg="$WINEPREFIX/quorvex-setup.reg"
  iconv -f UTF-8 -t UTF-16LE <<'REG' | { printf '\xff\xfe'; cat; } >"$reg"
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  env -u DISPLAY wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.quorvex-ready-$prefix_version"
}
