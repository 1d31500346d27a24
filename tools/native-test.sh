#!/usr/bin/env bash
# The native build (native/, clang with AddressSanitizer and UndefinedBehaviorSanitizer) into
# build/native: builds it, runs its unit tests, then runs every fuzz target for a short bounded
# time from its corpus. Runs on this machine directly, no Wine. Seconds per target: $1 (10).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${QUORVEX_NATIVE_BUILD:-$root/build/native}
seconds=${1:-10}
werror=OFF
[ -n "${CI:-}" ] && werror=ON
if [ ! -f "$native/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root/native" -B "$native" -G Ninja \
      -DQUORVEX_WARNINGS_AS_ERRORS=$werror >/dev/null
fi
cmake --build "$native" -- -j"$(nproc)"
# A 64-bit process can hold the 4 GiB these two tests expect the 32-bit program to be refused.
"$native/bin/native_tests" --gtest_brief=1 \
    --gtest_filter='-CMemFileTest.AWriteEndingPastWhatMemoryHoldsThrowsAndChangesNothing:CMemFileTest.ALengthPastWhatMemoryHoldsThrowsAndChangesNothing'
"$root/tools/fuzz.sh" --seconds "$seconds" all
