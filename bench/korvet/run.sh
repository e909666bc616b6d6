#!/usr/bin/env bash
# KORVET throughput benchmark (not a test). Makes a ~1 GiB input of each packet format on the
# local disk, runs each of the five conversions buffered (-x), unbuffered with 64 KiB
# transfers (default) and unbuffered with 1 MiB transfers (-v 16), and beside each the
# reference copy of the same input: `cat in > out` for -x, `dd bs=64K iflag=direct
# oflag=direct` for the default, `dd bs=1M iflag=direct oflag=direct` for -v 16.
# Every measurement is the median of REPEATS runs after one warm-up run. Prints MB/s
# (10^6 bytes of input per second), the ratio to the reference and KORVET's peak resident
# memory.
#
#   bench/korvet/run.sh [WORKDIR] [REPEATS] [GROUPS]
#     WORKDIR  directory on a disk filesystem (default: bench-out/korvet in the work tree)
#     REPEATS  measured runs per figure (default 3)
#     GROUPS   input size in groups of 16,384 packets (default 349: 1.0 GiB of 188-byte packets)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$root/bench-out/korvet}
repeats=${2:-3}
groups=${3:-349}

mkdir -p "$work"
fstype=$(df -T "$work" | awk 'NR == 2 { print $2 }')
if [[ $fstype == tmpfs ]]; then
  echo "$work is on tmpfs: unbuffered I/O would silently fall back; use a disk directory" >&2
  exit 1
fi

build=$root/build-bench-korvet
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target KORVET -j"$(nproc)" >/dev/null
korvet=$build/ts_converter/KORVET

ts=$work/in.ts
bd=$work/in.m2ts
fw=$work/in.fw192
out=$work/out.bin
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

# run_once COMMAND... : runs the command with $out removed before and after; prints
# "seconds peak_kib".
run_once() {
  rm -f "$out"
  sync
  local timefile=$work/time.txt start end
  start=$(now_ns)
  /usr/bin/time -v -o "$timefile" "$@" >/dev/null
  end=$(now_ns)
  rm -f "$out"
  local kib
  kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$timefile")
  awk -v s="$start" -v e="$end" -v k="$kib" 'BEGIN { printf "%.6f %d\n", (e - s) / 1e9, k }'
}

# measure COMMAND... : one warm-up run, then the median of $repeats; prints "seconds peak_kib".
measure() {
  run_once "$@" >/dev/null
  local results=()
  for ((i = 0; i < repeats; ++i)); do results+=("$(run_once "$@")"); done
  printf '%s\n' "${results[@]}" | sort -n | awk -v n="$repeats" '
    { secs[NR] = $1; if ($2 > peak) peak = $2 }
    END { printf "%.6f %d\n", secs[int((n + 1) / 2)], peak }'
}

mbps() { awk -v bytes="$1" -v secs="$2" 'BEGIN { printf "%.0f", bytes / secs / 1e6 }'; }

declare -A reference_seconds
reference() {  # reference MODE INPUT: seconds of the reference copy (cached)
  local mode=$1 input=$2 key="$1 $2"
  if [[ -z ${reference_seconds[$key]:-} ]]; then
    local result
    case $mode in
      buffered) result=$(measure bash -c "cat '$input' > '$out'") ;;
      direct64k) result=$(measure dd if="$input" of="$out" bs=64K iflag=direct oflag=direct status=none) ;;
      direct1m) result=$(measure dd if="$input" of="$out" bs=1M iflag=direct oflag=direct status=none) ;;
    esac
    reference_seconds[$key]=${result%% *}
  fi
  echo "${reference_seconds[$key]}"
}

conversions=(
  "188 -> FW192|-f|$ts"
  "188 -> BD192|-b|$ts"
  "BD192, FW192 -> 188|-n|$bd"
  "FW192 -> BD192|-r|$fw"
  "BD192 -> FW192||$bd"
)
modes=(
  "buffered|-x|cat"
  "direct64k||dd bs=64K direct"
  "direct1m|-v 16|dd bs=1M direct"
)

results=$work/results.txt
{
  echo "KORVET benchmark, $(date -u +%Y-%m-%dT%H:%MZ)"
  echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)," \
    "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), kernel $(uname -r)," \
    "$work on $fstype ($(df --output=source "$work" | tail -1))"
  echo "inputs: $(stat -c %s "$ts") bytes (188), $(stat -c %s "$bd") bytes (192); median of $repeats after a warm-up run"
  printf '%-20s %-8s %10s   %-16s %10s %7s %10s\n' conversion switches "MB/s" reference "ref MB/s" ratio "peak RSS"
} | tee "$results"

for conversion in "${conversions[@]}"; do
  IFS='|' read -r name switch input <<<"$conversion"
  size=$(stat -c %s "$input")
  for mode in "${modes[@]}"; do
    IFS='|' read -r mode_name mode_switch ref_name <<<"$mode"
    # shellcheck disable=SC2086  # the switches are separate words on purpose
    result=$(measure "$korvet" $switch $mode_switch "$input" "$out")
    secs=${result%% *}
    peak_kib=${result##* }
    ref_secs=$(reference "$mode_name" "$input")
    ratio=$(awk -v a="$ref_secs" -v b="$secs" 'BEGIN { printf "%.2f", a / b }')
    printf '%-20s %-8s %10s   %-16s %10s %7s %7.1f MiB\n' "$name" "${switch:-(none)} $mode_switch" \
      "$(mbps "$size" "$secs")" "$ref_name" "$(mbps "$size" "$ref_secs")" "$ratio" \
      "$(awk -v k="$peak_kib" 'BEGIN { print k / 1024 }')" | tee -a "$results"
  done
done
rm -f "$out" "$work/time.txt"
echo "results in $results"
