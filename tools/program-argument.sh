# Sourced: program_argument PATH prints the one argument that makes Quorvex.exe, started by Wine,
# see PATH as the file association passes a path: as a Windows path in double quotes. Wine
# quotes an argument only when it holds a blank, so a path without one gets its quotes here.
program_argument() {
  local dir path
  # Drive Z: is the Linux root in every Wine prefix.
  if dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd); then
    [ "$dir" = / ] && dir=
    path="Z:${dir//\//\\}\\$(basename "$1")"
  else
    path=$1
  fi
  case "$path" in
    *" "*) printf '%s' "$path" ;;
    *) printf '"%s"' "$path" ;;
  esac
}
