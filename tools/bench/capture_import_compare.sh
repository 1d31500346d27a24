#!/usr/bin/env bash
# The import of a pcap of a million packets, side by side in one run: `tcpdump -nn -r` on this
# machine, the capture model's import built natively (native/ with QUORVEX_BENCH_BUILD: optimised,
# no sanitizers) on this machine, and the same code built for Windows under Wine
# (tools/bench/run.sh: in the emulated machine where this machine cannot run 32-bit code; that
# machine has no tcpdump, so tcpdump always runs here). All three read the same file.
#   tools/bench/capture_import_compare.sh [packets]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
packets=${1:-1000000}
build_dir=${QUORVEX_BUILD:-$root/build}
native=$build_dir/native-bench
command -v tcpdump >/dev/null || { echo "compare: tcpdump is missing (tools/setup.sh)" >&2; exit 1; }
if [ ! -f "$native/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root/native" -B "$native" -G Ninja -DQUORVEX_BENCH_BUILD=ON \
      >/dev/null
fi
cmake --build "$native" --target capture_import_bench >/dev/null
mkdir -p "$build_dir/bench"
file=$build_dir/bench/capture-$packets.pcap
"$native/bin/capture_import_bench" --write "$file" "$packets"

# Seconds of a command, its output thrown away.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}
# The seconds a bench line gives; the emulated machine's console may drop its blanks and break
# its lines.
bench_seconds() { tr -d '\n' | sed -n 's/.*in *\([0-9.]*\) *s *= *[0-9]* *packets\/s.*/\1/p'; }

tcpdump_seconds=$(seconds tcpdump -nn -r "$file")
native_line=$("$native/bin/capture_import_bench" "$packets" "$file")
native_seconds=$(bench_seconds <<<"$native_line")
wine_output=$("$root/tools/bench/run.sh" capture_import_bench "$packets" "Z:$file")
wine_seconds=$(bench_seconds <<<"$wine_output")
rm -f "$file"

echo "$native_line"
# Every figure in packets of the file per second (the import keeps only the IPv4 ones).
for figure in "tcpdump -nn -r:$tcpdump_seconds" "native import:$native_seconds" \
              "Wine import:$wine_seconds"; do
  awk -v what="${figure%%:*}" -v s="${figure##*:}" -v n="$packets" -v t="$tcpdump_seconds" \
      'BEGIN { printf "%s: %d packets in %.3f s = %.0f packets/s, %.2f times tcpdump'"'"'s rate\n",
               what, n, s, n / s, t / s }'
done
