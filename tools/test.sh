#!/usr/bin/env bash
# Builds everything and runs every test (tools/run-tests.sh). On a machine that cannot execute
# 32-bit code the tests run in an emulated machine (tools/vm/run.sh), slower but the same tests.
# Arguments go to ctest. Before them, on this machine itself, the native sanitizer build runs its
# unit tests and each fuzz target briefly (tools/native-test.sh; QUORVEX_NATIVE=0 leaves it out).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
if [ "${QUORVEX_NATIVE:-1}" != 0 ]; then
  "$root/tools/native-test.sh"
fi
source "$root/tools/wine-env.sh"
if can_run_32bit_programs; then
  exec "$root/tools/run-tests.sh" "$@"
fi
echo "test: this machine cannot run 32-bit code, so the tests run in an emulated machine"
QUORVEX_VM_ENV="QUORVEX_BUILD CI" exec "$root/tools/vm/run.sh" "$root/tools/run-tests.sh" "$@"
