#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan), runs each in turn for a while and
# prints a table of executions, coverage and findings per target.
#   scripts/fuzz.sh [SECONDS-PER-TARGET] [CORPUS-DIR]   (default 60 s, /tmp/fuzz-corpus)
# CORPUS-DIR (outside the tree, created if missing) keeps what each target's corpus has grown
# to, one folder per target, so a later campaign starts where this one stopped. The seeds are
# made afresh under build-fuzz/seeds and read alongside. Crashes, leaks and timeouts land in
# build-fuzz/artifacts, libFuzzer's output in build-fuzz/logs. Exits 1 when anything was found.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}
corpus_root=${2:-/tmp/fuzz-corpus}
mkdir -p "$corpus_root"
corpus_root=$(cd "$corpus_root" && pwd)
case "$corpus_root/" in
  "$root"/*) echo "the corpus folder must lie outside the tree: $corpus_root" >&2; exit 2 ;;
esac
jobs=$(nproc 2>/dev/null || echo 2)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DBUILD_TESTING=OFF -DBUILD_FUZZERS=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$jobs" >/dev/null
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds" build-fuzz/artifacts build-fuzz/logs
# The RPLS patch target needs well-formed images to start from: sample files made by the
# fixture tool (built above with the rest), paired as source and destination.
python3 tools/rpls/make_patch_seeds.py build-fuzz/tools/rpls/make_sample_rpls "$seeds/fuzz_rpls_patch" >/dev/null
# The PlayList reader starts from the sample playlists: the three single ones (one and two
# PlayItems) and those of the sample recorder folder.
mkdir -p "$seeds/fuzz_play_list"
for sample in news movie plain; do
  build-fuzz/tools/rpls/make_sample_rpls "$sample" "$seeds/fuzz_play_list/seed-$sample" >/dev/null
done
bdav_seeds=$(mktemp -d)
build-fuzz/tools/ts_streams/make_sample_bdav "$bdav_seeds" >/dev/null
for playlist in "$bdav_seeds"/BDAV/PLAYLIST/*; do cp "$playlist" "$seeds/fuzz_play_list/seed-bdav-$(basename "$playlist")"; done
rm -rf "$bdav_seeds"
# The stream targets start from cuts of the sample streams in both packet sizes, long enough
# to hold the tables a scan looks for.
python3 tools/ts_streams/make_stream_seeds.py build-fuzz/tools/ts_streams/make_sample_ts "$seeds" >/dev/null
# The command-line target starts from two parameter-mode command lines (arguments split at
# NUL bytes).
mkdir -p "$seeds/fuzz_tolvane_arguments"
printf -- '-D\0002025/4/1\0-T\00019:00:00\0-P\0000:45:00\0-B\0ドキュメント７２時間「駅前」\0-I\0第１回\\n街の人々。\0-G\0000x80\0-G\0000x0F\0dest.rpls' \
  >"$seeds/fuzz_tolvane_arguments/seed-schedule"
printf -- '-C\0ＮＨＫ総合\0-N\0000x0011\0-E\0出演：山田\0-w\0dest.rpls' >"$seeds/fuzz_tolvane_arguments/seed-channel"

mapfile -t targets < <(find build-fuzz -type f -name 'fuzz_*' -perm -u+x | sort)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 1; }
rows=()
found_any=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus=$corpus_root/$name
  mkdir -p "$corpus" "$seeds/$name"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
    -artifact_prefix="build-fuzz/artifacts/$name-")
  # A stream needs room for a few hundred packets; libFuzzer's default cap (4 KiB, or the
  # largest seed) holds about twenty.
  case $name in fuzz_ts_stream | fuzz_korvet_stream) options+=(-max_len=131072) ;; esac
  log=build-fuzz/logs/$name.log
  before=$(find build-fuzz/artifacts -name "$name-*" | sort)
  echo "== $name ($seconds s)"
  # libFuzzer reports on stderr; the programs' own messages (stdout) are dropped.
  status=0
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 "$target" "${options[@]}" "$corpus" "$seeds/$name" \
    2>"$log" >/dev/null || status=$?
  grep -E '^(Done|==[0-9]+==|SUMMARY)|runtime error' "$log" | tail -n 3 || true
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  points=$(sed -n 's/.*(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -n 1)
  new=$(comm -13 <(echo "$before") <(find build-fuzz/artifacts -name "$name-*" | sort) | xargs -r -n1 basename)
  findings=$(echo -n "$new" | grep -c . || true)
  note=$findings
  [ "$findings" -eq 0 ] || note="$findings: $(echo $new)"
  if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then note="exit $status (see $log)"; fi
  [ "$findings" -eq 0 ] && [ "$status" -eq 0 ] || found_any=1
  rows+=("| \`$name\` | ${executions:-?} | ${coverage:-?} of ${points:-?} | $note |")
done
echo
echo "$(date -u +%F), $seconds s per target, corpora in $corpus_root"
echo "| Target | Executions | Coverage | Findings |"
echo "|---|---|---|---|"
printf '%s\n' "${rows[@]}"
[ "$found_any" -eq 0 ] || { echo "findings: see build-fuzz/artifacts and build-fuzz/logs"; exit 1; }
echo "fuzzing finished without findings"
