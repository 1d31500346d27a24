#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's environment (used by ctest).
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
