#!/usr/bin/env bash
# Configures and builds the program and its tests into build/ (set-up first).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${QUORVEX_BUILD:-$root/build}
"$root/tools/setup.sh"
# CI builds warning-free or not at all.
werror=OFF
[ -n "${CI:-}" ] && werror=ON
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DQUORVEX_WARNINGS_AS_ERRORS=$werror >/dev/null
fi
cmake --build "$build_dir" -- -j"$(nproc)" "$@"
