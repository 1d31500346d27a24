#!/usr/bin/env bash
# tools/run.sh FILE hands the program one Windows path in double quotes, whether or not the path
# holds a blank (Wine adds the quotes only then).
set -uo pipefail
source "$(dirname "$0")/../../tools/program-argument.sh"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder/with blank"
winfolder="Z:${folder//\//\\}"
failures=0
check() {
  local got
  got=$(cd "$folder" && program_argument "$1")
  if [ "$got" != "$2" ]; then
    echo "program_argument $1: got [$got], expected [$2]"
    failures=$((failures + 1))
  fi
}
check "$folder/test.qvg" "\"$winfolder\\test.qvg\""
check "test.qvl" "\"$winfolder\\test.qvl\""
check "$folder/with blank/a b.qvg" "$winfolder\\with blank\\a b.qvg"
check "/auto.qvg" "\"Z:\\auto.qvg\""
check "$folder/missing/x.qvg" "\"$folder/missing/x.qvg\""
[ $failures -eq 0 ] || exit 1
