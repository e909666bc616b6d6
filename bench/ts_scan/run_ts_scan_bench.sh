#!/usr/bin/env bash
# Scanning speed of tolvane on large TS files, against cat of the same bytes.
#   bench/ts_scan/run_ts_scan_bench.sh [work-dir] [size-MiB]   (defaults: /tmp/ts_scan_bench, 2200)
# 1. A stream with a present EIT every 2 s: a whole TS -> RPLS run against cat of the file.
# 2. A stream without any EIT: tolvane's full scan from 50 % to the end against cat of that half.
# Each figure is the best of five runs with the file in the page cache.
set -euo pipefail
cd "$(dirname "$0")/../.."
work=${1:-/tmp/ts_scan_bench}
mib=${2:-2200}
build=build-bench
mkdir -p "$work"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target tolvane make_bench_ts make_sample_rpls >/dev/null
tolvane=$build/info_copier/tolvane

[ -f "$work/with_eit.ts" ] || "$build/bench/ts_scan/make_bench_ts" "$work/with_eit.ts" with-eit "$mib"
[ -f "$work/no_eit.ts" ] || "$build/bench/ts_scan/make_bench_ts" "$work/no_eit.ts" no-eit "$mib"
rm -f "$work/dst.rpls"
"$build/tools/rpls/make_sample_rpls" news "$work/dst.rpls"

now() { date +%s.%N; }
# best_of COMMAND...: the smallest wall time of five runs, in seconds.
best_of() {
  local best=""
  for _ in 1 2 3 4 5; do
    local t0 t1 t
    t0=$(now); "$@" >/dev/null 2>&1 || true; t1=$(now)
    t=$(echo "$t1 - $t0" | bc -l)
    if [ -z "$best" ] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  printf '%.3f' "$best"
}
cat_file() { cat "$1" >/dev/null; }
# cat of the second half: dd only moves the shared input position, cat reads from there.
cat_half() {
  local size; size=$(stat -c %s "$1")
  { dd bs=1 skip=$((size * 50 / 100)) count=0 status=none; cat >/dev/null; } <"$1"
}

for f in with_eit no_eit; do cat "$work/$f.ts" >/dev/null; done  # into the page cache

size=$(stat -c %s "$work/with_eit.ts")
"$tolvane" -dtpcnbieg "$work/with_eit.ts" "$work/dst.rpls"  # shows that the run succeeds
t_run=$(best_of "$tolvane" -dtpcnbieg "$work/with_eit.ts" "$work/dst.rpls")
t_cat=$(best_of cat_file "$work/with_eit.ts")
echo "stream with EIT every 2 s: $((size / 1048576)) MiB"
echo "  tolvane TS -> RPLS          ${t_run} s"
echo "  cat whole file > /dev/null  ${t_cat} s"
echo "  ratio run/cat               $(echo "$t_run / $t_cat" | bc -l | cut -c1-6)"

size=$(stat -c %s "$work/no_eit.ts")
half=$((size - size * 50 / 100))
"$tolvane" -dtpcnbieg "$work/no_eit.ts" "$work/dst.rpls" || true  # finds nothing, by design
t_scan=$(best_of "$tolvane" -dtpcnbieg "$work/no_eit.ts" "$work/dst.rpls")
t_half=$(best_of cat_half "$work/no_eit.ts")
echo "stream without EIT: $((size / 1048576)) MiB, scan from 50 % ($((half / 1048576)) MiB)"
echo "  tolvane full scan           ${t_scan} s  ($(echo "$half / 1048576 / $t_scan" | bc -l | cut -c1-7) MiB/s)"
echo "  cat of that half            ${t_half} s  ($(echo "$half / 1048576 / $t_half" | bc -l | cut -c1-7) MiB/s)"
echo "  throughput tolvane/cat      $(echo "$t_half / $t_scan" | bc -l | cut -c1-6)   (goal: 0.9 or more)"
