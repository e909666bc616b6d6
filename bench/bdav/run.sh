#!/usr/bin/env bash
# Folder run against single-file runs (not a test). Generates a recorder folder of COUNT
# playlists whose streams are MIB MiB each (BD192, an EIT every 2 s) in a temporary folder
# outside the tree, and times `tolvane -dtpcnbieg --bdav FOLDER` against the sum of the COUNT
# runs `tolvane -dtpcnbieg -f 50 STREAM PLAYLIST` that it stands for. Both start from the same
# playlists (restored before every run) with the streams in the page cache, in alternation
# (one warm-up pair, then REPEATS measured pairs). Prints the median of the pairwise ratios
# folder / sum, the totals, the bytes each side reads (rchar), the peak resident memory of the
# folder run and of one single run (/usr/bin/time -v), and checks that both leave the
# playlists byte for byte the same. The folder is deleted at the end.
#
#   bench/bdav/run.sh [COUNT] [MIB] [REPEATS] [WORKDIR-PARENT]   (defaults 24, 256, 7, /var/tmp)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
count=${1:-24}
mib=${2:-256}
repeats=${3:-7}
parent=${4:-/var/tmp}

build=$root/build-bench-bdav
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target tolvane make_bench_bdav -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
tolvane=$build/info_copier/tolvane

work=$(mktemp -d "$parent/bdav-bench.XXXXXX")
case "$work/" in "$root"/*) echo "the work folder must lie outside the tree" >&2; exit 2 ;; esac
trap 'rm -rf "$work"' EXIT
echo "making $count playlists with streams of $mib MiB in $work"
"$build/bench/bdav/make_bench_bdav" "$work/disc" "$count" "$mib"
bdav=$work/disc/BDAV
cp -r "$bdav/PLAYLIST" "$work/pristine"
mapfile -t playlists < <(cd "$work/pristine" && ls)
for stream in "$bdav"/STREAM/*; do cat "$stream" >/dev/null; done  # into the page cache

restore() { rm -rf "$bdav/PLAYLIST" && cp -r "$work/pristine" "$bdav/PLAYLIST"; }
now_ns() { date +%s%N; }
# The bytes a command reads: a child's counts join its parent's when it is reaped.
read_bytes() {
  # awk reads the shell's counts before it is reaped itself, so its own reads are not among them.
  bash -c '"$@" >/dev/null 2>&1; awk "/^rchar:/ { print \$2 }" /proc/$$/io' _ "$@"
}

folder_run() { "$tolvane" -dtpcnbieg --bdav "$work/disc" >/dev/null || true; }
# The single runs back to back (the stream names are made before the clock starts); prints
# their total in nanoseconds.
single_runs() {
  local streams=() t0 t1 i
  for ((i = 0; i < count; i++)); do streams+=("$bdav/STREAM/$(printf '%05d' $((101 + i))).m2ts"); done
  t0=$(now_ns)
  for ((i = 0; i < count; i++)); do
    "$tolvane" -dtpcnbieg -f 50 "${streams[i]}" "$bdav/PLAYLIST/${playlists[i]}" >/dev/null || true
  done
  t1=$(now_ns)
  echo $((t1 - t0))
}

# Both must leave the same playlists.
restore
single_runs >/dev/null
cp -r "$bdav/PLAYLIST" "$work/after-single"
restore
folder_run
diff -r "$work/after-single" "$bdav/PLAYLIST" >/dev/null && echo "folder run and single runs: playlists byte for byte the same" ||
  { echo "the folder run left other playlists than the single runs" >&2; exit 1; }

ratios=()
folder_times=()
single_times=()
for ((r = 0; r <= repeats; r++)); do
  restore
  t0=$(now_ns)
  folder_run
  t1=$(now_ns)
  restore
  singles=$(single_runs)
  ((r == 0)) && continue  # warm-up pair
  folder_times+=($((t1 - t0)))
  single_times+=("$singles")
  ratios+=("$(echo "scale=4; ($t1 - $t0) / $singles" | bc -l)")
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ms() { echo "scale=1; $1 / 1000000" | bc -l; }

restore
folder_read=$(read_bytes "$tolvane" -dtpcnbieg --bdav "$work/disc")
restore
single_read=0
for ((i = 0; i < count; i++)); do
  clip=$(printf '%05d' $((101 + i)))
  bytes=$(read_bytes "$tolvane" -dtpcnbieg -f 50 "$bdav/STREAM/$clip.m2ts" "$bdav/PLAYLIST/${playlists[i]}")
  single_read=$((single_read + bytes))
done
restore
folder_rss=$(/usr/bin/time -v "$tolvane" -dtpcnbieg --bdav "$work/disc" 2>&1 >/dev/null | awk '/Maximum resident/ { print $NF }')
restore
single_rss=$(/usr/bin/time -v "$tolvane" -dtpcnbieg -f 50 "$bdav/STREAM/00101.m2ts" "$bdav/PLAYLIST/${playlists[0]}" 2>&1 >/dev/null |
  awk '/Maximum resident/ { print $NF }')

echo
echo "$count playlists, streams of $mib MiB each, $repeats measured pairs (median):"
echo "  folder run (--bdav)          $(ms "$(median "${folder_times[@]}")") ms"
echo "  the $count single runs        $(ms "$(median "${single_times[@]}")") ms (back to back)"
echo "  ratio folder / sum           $(median "${ratios[@]}")  (goal: at most 1.1)"
echo "  bytes read: folder $folder_read, single runs together $single_read"
echo "  peak resident memory: folder run $folder_rss KiB, one single run $single_rss KiB (goal: at most + 1024 KiB)"
