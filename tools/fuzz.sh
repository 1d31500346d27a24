#!/usr/bin/env bash
# Runs fuzz targets of the native build (build/native, made by tools/native-test.sh) from their
# corpus: the seeds the project's writers made, the kept regression inputs
# (native/fuzz/regressions/TARGET) and what earlier runs found (build/native/corpus/TARGET).
#   tools/fuzz.sh [--seconds N | --runs N] [--jobs N] TARGET|all
# A long campaign: tools/fuzz.sh --runs 1000000 --jobs 2 all. Each input may take 1 s at most;
# a crash, a hang or a sanitizer report stops the target, leaves the input in build/native/findings
# and fails the script.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${QUORVEX_NATIVE_BUILD:-$root/build/native}
limit=(-max_total_time=10)
jobs=1
while [ $# -gt 1 ]; do
  case $1 in
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -eq 1 ] || { sed -n 2,9p "$0" >&2; exit 3; }
if [ "$1" = all ]; then
  targets=$(cd "$native/bin" && ls fuzz_* | sed 's/^fuzz_//')
else
  targets=$1
fi
# The sanitizer's allocator hands freed memory back to the system from inside whichever input
# runs then; on a loaded machine that alone has taken over a second. Keep it instead.
export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_release_to_os_interval_ms=-1}
failed=0
for target in $targets; do
  corpus=$native/corpus/$target
  findings=$native/findings/$target
  mkdir -p "$corpus" "$findings"
  dirs=("$corpus" "$native/seeds/$target")
  [ -d "$root/native/fuzz/regressions/$target" ] && dirs+=("$root/native/fuzz/regressions/$target")
  log=$native/findings/$target.log
  # -jobs splits the runs over that many workers (one each), all sharing the corpus.
  parallel=()
  [ "$jobs" -gt 1 ] && parallel=(-jobs="$jobs" -workers="$jobs")
  if "$native/bin/fuzz_$target" "${limit[@]}" "${parallel[@]}" -timeout=1 -rss_limit_mb=2048 \
       -artifact_prefix="$findings/" -print_final_stats=1 "${dirs[@]}" >"$log" 2>&1; then
    echo "fuzz $target: $(grep -h -m1 'stat::number_of_executed_units' "$log" "$native"/fuzz-*.log 2>/dev/null | awk '{print $2}') inputs, $(grep -o 'cov: [0-9]*' "$log" | tail -1), no faults"
  else
    echo "fuzz $target: FAILED, see $log and $findings" >&2
    tail -30 "$log" >&2
    failed=1
  fi
done
exit $failed
