#!/usr/bin/env bash
# KORVET throughput benchmark (not a test). Makes a ~1 GiB input of each packet format on the
# local disk, runs each of the five conversions buffered (-x), unbuffered with 64 KiB reads
# (default) and unbuffered with 1 MiB reads (-v 16), and beside each the
# reference copy of the same input: `cat in > out; sync out` for -x, `dd bs=64K iflag=direct
# oflag=direct conv=fsync` for the default, `dd bs=1M iflag=direct oflag=direct conv=fsync` for
# -v 16. KORVET flushes its output to the disk (fsync) before it reports success, so every
# reference flushes too: the buffered rows time the write-back of the page cache on both sides.
# KORVET and its reference run in alternation (one warm-up pair, then REPEATS measured pairs),
# so that both meet the same state of the machine; the warm-up pair also takes what the previous
# row leaves behind (a buffered copy right after a gigabyte written unbuffered and deleted takes
# twice as long or more, whichever program it is). Prints the median MB/s of each (10^6 bytes
# of input per second), the median of the pairwise ratios KORVET/reference, and KORVET's peak
# resident memory. Beside cat, which copies inside the kernel (copy_file_range) and so never
# brings the data into a process, the buffered rows also show the ratio to a plain user-space
# read/write copy with the same 64 KiB transfers (`dd bs=64K conv=fsync`, buffered).
#
#   bench/korvet/run.sh [WORKDIR] [REPEATS] [GROUPS] [ROWS]
#     WORKDIR  directory on a disk filesystem (default: bench-out/korvet in the work tree)
#     REPEATS  measured pairs per figure (default 9: the machine's slow spells last seconds and
#              can take most of a shorter row)
#     GROUPS   input size in groups of 16,384 packets (default 349: 1.0 GiB of 188-byte packets)
#     ROWS     only the rows whose "switch mode" matches this extended regular expression, such as
#              '^-n (buffered|direct64k)$' (modes: buffered, direct64k, direct1m; the default
#              conversion's switch is empty); default: every row. The rows of --check and of
#              standard input are named check, with-check, pipe-in and pipe-in-splice (below)
#     BASELINE a KORVET binary built from an earlier commit: adds rows "baseline -n" and
#              "baseline -b", this build's -n -x and -b -x against it (ratio above 1: faster)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$root/bench-out/korvet}
repeats=${2:-9}
groups=${3:-349}
rows=${4:-}
baseline=${5:-}

mkdir -p "$work"
fstype=$(df -T "$work" | awk 'NR == 2 { print $2 }')
if [[ $fstype == tmpfs ]]; then
  echo "$work is on tmpfs: unbuffered I/O would silently fall back; use a disk directory" >&2
  exit 1
fi

build=$root/build-bench-korvet
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target KORVET splice_writer -j"$(nproc)" >/dev/null
korvet=$build/ts_converter/KORVET
splice_writer=$build/bench/korvet/splice_writer

ts=$work/in.ts
bd=$work/in.m2ts
fw=$work/in.fw192
out=$work/out.bin
scratch=$work/scratch.bin
expected_ts=$((groups * 16384 * 188))
if [[ ! -f $ts || $(stat -c %s "$ts") -ne $expected_ts ]]; then
  rm -f "$ts" "$bd" "$fw"
  echo "making $ts ($expected_ts bytes)"
  python3 "$root/bench/korvet/make_input.py" "$ts" "$groups"
fi
[[ -f $bd ]] || "$korvet" -b "$ts" "$bd" >/dev/null
[[ -f $fw ]] || "$korvet" -f "$ts" "$fw" >/dev/null
sync

now_ns() { date +%s%N; }

# Free page reporting: memory left free is reported to the host, which takes it back, by a
# reporter that runs two seconds after memory was freed and again every two seconds while there
# is more. A gigabyte written into the page cache in memory reported that way takes five to six
# times as long, whichever program writes it (`cat` of 1 GiB: 0.2 s right after the previous
# output was deleted, 1.2 to 1.3 s after a pause of 3 s). Where the machine reports free pages,
# the buffered runs therefore wait until the reporter has been idle for a while, and then free
# the previous output's page cache right before the run: every program writes into memory that
# the kernel has just used, and the reporter's next pass comes after the run.
reported=/sys/module/page_reporting/parameters/reported_kib

wait_for_idle_reporter() {
  [[ -r $reported ]] || return 0
  local last now quiet=0 waited=0
  last=$(cat "$reported")
  while ((quiet < 25 && waited < 300)); do  # 2.5 s without a report, at most 30 s
    sleep 0.1
    now=$(cat "$reported")
    if [[ $now == "$last" ]]; then ((++quiet)); else quiet=0 last=$now; fi
    ((++waited))
  done
}

# run_once COMMAND... : runs the command on a fresh $out; prints "seconds cpu_seconds peak_kib"
# (cpu: user and system time of the command and every process it waited for). In a
# buffered row ($mode_name), the row's $input is read once before the run, so that every program
# meets it in the page cache (this machine drops page cache that has not been used for some
# seconds, DAMON page-out, and whichever program came first after a drop would otherwise pay for
# it), and the previous run's output is deleted only right before the run (above).
run_once() {
  if [[ $mode_name == buffered ]]; then
    wait_for_idle_reporter
    cat "$input" >/dev/null
    # The previous output may be smaller than this one (188-byte packets against 192): the
    # scratch file's memory is freed with it, so that the whole run writes into used memory.
    head -c 64M /dev/zero >"$scratch"
    rm -f "$out" "$scratch"
  else
    rm -f "$out"
    sync
  fi
  local timefile=$work/time.txt start end
  start=$(now_ns)
  /usr/bin/time -v -o "$timefile" "$@" >/dev/null
  end=$(now_ns)
  [[ $mode_name == buffered ]] || rm -f "$out"
  local kib cpu
  kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$timefile")
  cpu=$(awk -F': ' '/(User|System) time \(seconds\)/ { t += $2 } END { print t }' "$timefile")
  awk -v s="$start" -v e="$end" -v c="$cpu" -v k="$kib" 'BEGIN { printf "%.6f %.2f %d\n", (e - s) / 1e9, c, k }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

mbps() { awk -v bytes="$1" -v secs="$2" 'BEGIN { printf "%.0f", bytes / secs / 1e6 }'; }

# reference_command MODE INPUT: the reference copy of INPUT to $out for a mode.
reference_command() {
  case $1 in
    buffered) echo "cat '$2' > '$out' && sync '$out'" ;;
    direct64k) echo "dd if='$2' of='$out' bs=64K iflag=direct oflag=direct conv=fsync status=none" ;;
    direct1m) echo "dd if='$2' of='$out' bs=1M iflag=direct oflag=direct conv=fsync status=none" ;;
  esac
}

conversions=(
  "188 -> FW192|-f|$ts"
  "188 -> BD192|-b|$ts"
  "BD192, FW192 -> 188|-n|$bd"
  "FW192 -> BD192|-r|$fw"
  "BD192 -> FW192||$bd"
)
modes=(
  "buffered|-x|cat; sync"
  "direct64k||dd 64K direct fsync"
  "direct1m|-v 16|dd 1M direct fsync"
)

results=$work/results.txt
{
  echo "KORVET benchmark, $(date -u +%Y-%m-%dT%H:%MZ)"
  echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)," \
    "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), kernel $(uname -r)," \
    "$work on $fstype ($(df --output=source "$work" | tail -1))"
  echo "inputs: $(stat -c %s "$ts") bytes (188), $(stat -c %s "$bd") bytes (192);" \
    "medians of $repeats alternating pairs after a warm-up pair; load average $(cut -d' ' -f1-3 /proc/loadavg)"
  printf '%-20s %-12s %10s   %-18s %10s %7s %10s %8s\n' conversion switches "MB/s" reference "ref MB/s" ratio "peak RSS" "vs rw"
} | tee "$results"

for conversion in "${conversions[@]}"; do
  IFS='|' read -r name switch input <<<"$conversion"
  size=$(stat -c %s "$input")
  for mode in "${modes[@]}"; do
    IFS='|' read -r mode_name mode_switch ref_name <<<"$mode"
    [[ -z $rows || "$switch $mode_name" =~ $rows ]] || continue
    ref_cmd=$(reference_command "$mode_name" "$input")
    korvet_secs=() ref_secs=() ratios=() rw_ratios=() peak_kib=0
    for ((i = 0; i <= repeats; ++i)); do
      ref=$(run_once bash -c "$ref_cmd")
      rw=""
      [[ $mode_name == buffered ]] && rw=$(run_once dd if="$input" of="$out" bs=64K conv=fsync status=none)
      # shellcheck disable=SC2086  # the switches are separate words on purpose
      run=$(run_once "$korvet" $switch $mode_switch "$input" "$out")
      ((i == 0)) && continue  # the warm-up pair
      korvet_secs+=("${run%% *}")
      ref_secs+=("${ref%% *}")
      ratios+=("$(awk -v a="${ref%% *}" -v b="${run%% *}" 'BEGIN { print a / b }')")
      [[ -n $rw ]] && rw_ratios+=("$(awk -v a="${rw%% *}" -v b="${run%% *}" 'BEGIN { print a / b }')")
      ((${run##* } > peak_kib)) && peak_kib=${run##* }
    done
    k=$(printf '%s\n' "${korvet_secs[@]}" | median)
    r=$(printf '%s\n' "${ref_secs[@]}" | median)
    ratio=$(printf '%s\n' "${ratios[@]}" | median)
    rw_ratio=""
    ((${#rw_ratios[@]} > 0)) && rw_ratio=$(printf '%s\n' "${rw_ratios[@]}" | median | awk '{ printf "%.2f", $1 }')
    printf '%-20s %-12s %10s   %-18s %10s %7.2f %7.1f MiB %8s\n' "$name" "${switch:-(none)} $mode_switch" \
      "$(mbps "$size" "$k")" "$ref_name" "$(mbps "$size" "$r")" "$ratio" \
      "$(awk -v k="$peak_kib" 'BEGIN { print k / 1024 }')" "$rw_ratio" | tee -a "$results"
  done
done
# --check and standard input, each beside its reference in alternating pairs, with the input
# in the page cache (run_once of a buffered row reads it before every run):
#   check       KORVET --check -x, reading only          against  cat INPUT > /dev/null   (goal >= 0.9)
#   with-check  KORVET -n -x --check, the same bytes     against  KORVET -n -x            (goal >= 0.97)
#   pipe-in     cat INPUT | KORVET -n -x - OUT           against  KORVET -n -x INPUT OUT  (goal >= 0.9)
#   pipe-in-splice  the same with a writer that copies nothing (splice_writer): KORVET's own
#               reading of a pipe, without cat's two copies of every byte on the same cores
extra_rows=(
  "check\t--check -x -d\t$bd\t'$korvet' --check -x -d '$bd'\tcat '$bd' > /dev/null\tcat >/dev/null"
  "with-check\t-n -x --check\t$bd\t'$korvet' -n -x --check '$bd' '$out'\t'$korvet' -n -x '$bd' '$out'\t-n -x"
  "pipe-in\t-n -x - (pipe)\t$bd\tcat '$bd' | '$korvet' -n -x - '$out'\t'$korvet' -n -x '$bd' '$out'\t-n -x FILE"
  "pipe-in-splice\t-n -x - (splice)\t$bd\t'$splice_writer' '$bd' | '$korvet' -n -x - '$out'\t'$korvet' -n -x '$bd' '$out'\t-n -x FILE"
)
if [[ -n $baseline ]]; then
  extra_rows+=(
    "baseline -n\t-n -x\t$bd\t'$korvet' -n -x '$bd' '$out'\t'$baseline' -n -x '$bd' '$out'\tbaseline -n -x"
    "baseline -b\t-b -x\t$ts\t'$korvet' -b -x '$ts' '$out'\t'$baseline' -b -x '$ts' '$out'\tbaseline -b -x"
  )
fi
mode_name=buffered
for row in "${extra_rows[@]}"; do
  IFS=$'\t' read -r name switch input cmd ref_cmd ref_name < <(printf '%b\n' "$row")
  [[ -z $rows || "$name" =~ $rows ]] || continue
  size=$(stat -c %s "$input")
  korvet_secs=() ref_secs=() ratios=() korvet_cpu=() ref_cpu=() peak_kib=0
  for ((i = 0; i <= repeats; ++i)); do
    ref=$(run_once bash -c "$ref_cmd")
    run=$(run_once bash -c "$cmd")
    ((i == 0)) && continue
    korvet_secs+=("${run%% *}")
    ref_secs+=("${ref%% *}")
    korvet_cpu+=("$(cut -d' ' -f2 <<<"$run")")
    ref_cpu+=("$(cut -d' ' -f2 <<<"$ref")")
    ratios+=("$(awk -v a="${ref%% *}" -v b="${run%% *}" 'BEGIN { print a / b }')")
    ((${run##* } > peak_kib)) && peak_kib=${run##* }
  done
  k=$(printf '%s\n' "${korvet_secs[@]}" | median)
  r=$(printf '%s\n' "${ref_secs[@]}" | median)
  ratio=$(printf '%s\n' "${ratios[@]}" | median)
  printf '%-20s %-12s %10s   %-18s %10s %7.2f %7.1f MiB %8s\n' "$name" "$switch" "$(mbps "$size" "$k")" \
    "$ref_name" "$(mbps "$size" "$r")" "$ratio" "$(awk -v k="$peak_kib" 'BEGIN { print k / 1024 }')" "" |
    tee -a "$results"
  # The processor time that both sides spent, every process of the pipeline included: on a
  # machine of few cores, a pipe's writer takes its share from the reader's.
  printf '%-20s CPU seconds, medians: %s, reference %s\n' "" "$(printf '%s\n' "${korvet_cpu[@]}" | median)" \
    "$(printf '%s\n' "${ref_cpu[@]}" | median)" | tee -a "$results"
done
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$results"
rm -f "$out" "$scratch" "$work/time.txt"
echo "results in $results"
