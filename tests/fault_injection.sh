#!/usr/bin/env bash
# Fault injection for both programs: failing saves under file-size limits, special files,
# wrong switches, empty and garbage inputs, interrupted runs and a full output disk. Every case
# checks the status, the message and, by checksum, every file that must stay as it was.
# Linux only (prlimit, mkfifo, signals, loop mounts).
#
#   tests/fault_injection.sh BUILD_DIR
set -uo pipefail

build=$(cd "${1:?usage: fault_injection.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
tolvane=$build/info_copier/tolvane
korvet=$build/ts_converter/KORVET
make_rpls=$build/tools/rpls/make_sample_rpls
sample_ts=$here/../ts_converter/tests/data/sample.ts

work=$(mktemp -d)
mounted=""
cleanup() {
  [[ -n $mounted ]] && umount "$mounted" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
pass() { printf 'PASS  %s\n' "$1"; passed=$((passed + 1)); }
fail() { printf 'FAIL  %s: %s\n' "$1" "$2"; failed=$((failed + 1)); }
skip() { printf 'SKIP  %s: %s\n' "$1" "$2"; }
sums() { local f; for f in "$@"; do sha256sum "$f" 2>/dev/null || echo "missing $f"; done; }

# check NAME STATUS MESSAGE KEEP ABSENT -- COMMAND...
#   the command must end with STATUS and print MESSAGE (a fixed text); the files in KEEP
#   (space-separated) must keep their checksums, those in ABSENT must not exist afterwards.
check() {
  local name=$1 status=$2 message=$3 keep=$4 absent=$5
  shift 6
  local before output rc f
  # shellcheck disable=SC2086
  before=$(sums $keep)
  output=$(timeout 60 "$@" 2>&1)
  rc=$?
  if [[ $rc -ne $status ]]; then fail "$name" "status $rc, expected $status; output: ${output//$'\r'/ }"; return; fi
  if [[ $output != *"$message"* ]]; then fail "$name" "no \"$message\" in: ${output//$'\r'/ }"; return; fi
  # shellcheck disable=SC2086
  if [[ $(sums $keep) != "$before" ]]; then fail "$name" "a file that must stay as it was changed"; return; fi
  for f in $absent; do
    if [[ -e $f ]]; then fail "$name" "$f exists"; return; fi
  done
  pass "$name"
}

cd "$work" || exit 1
"$make_rpls" news news.rpls && "$make_rpls" movie movie.rpls || { echo "cannot make the sample RPLS files"; exit 1; }
cp "$sample_ts" sample.ts
head -c 188 sample.ts >one.ts
: >empty.ts
head -c 300000 /dev/urandom | tr '\107' '\000' >garbage.ts  # no sync byte at all
"$korvet" -b sample.ts sample.bd192 >/dev/null && "$korvet" sample.bd192 sample.fw192 >/dev/null ||
  { echo "cannot make the 192-byte samples"; exit 1; }
mkfifo fifo
mkdir dir

# --- tolvane: a failed save leaves the destination as it was ----------------------------
cp news.rpls full.rpls && "$tolvane" -dtpcnbig movie.rpls full.rpls >/dev/null || { echo "tolvane does not run"; exit 1; }
for mode in default ignored; do
  problems=""
  failures=0
  for ((limit = 0; limit <= 3072; limit += 128)); do
    cp news.rpls d.rpls
    if [[ $mode == ignored ]]; then
      output=$(trap '' XFSZ; prlimit --fsize="$limit" "$tolvane" -dtpcnbig movie.rpls d.rpls 2>&1)
    else
      output=$(prlimit --fsize="$limit" "$tolvane" -dtpcnbig movie.rpls d.rpls 2>&1)
    fi
    rc=$?
    if [[ $rc -eq 1 ]]; then
      failures=$((failures + 1))
      cmp -s d.rpls news.rpls || problems+=" limit $limit: destination changed;"
      [[ $output == *"d.rpls への保存に失敗しました."*"コピー先ファイルの内容は元に戻しました."* ]] ||
        problems+=" limit $limit: message \"$output\";"
    elif [[ $rc -eq 0 ]]; then
      cmp -s d.rpls full.rpls || problems+=" limit $limit: success, but not the patched file;"
      [[ $output == "コピーしました." ]] || problems+=" limit $limit: message \"$output\";"
    else
      problems+=" limit $limit: status $rc;"
    fi
  done
  # The patch reaches past 2 KiB (the genres of the private block): limits up to 2 KiB fail.
  [[ $failures -ge 17 ]] || problems+=" only $failures limits failed;"
  if [[ -z $problems ]]; then pass "tolvane save under file-size limits 0..3072 step 128, SIGXFSZ $mode"; else
    fail "tolvane save under file-size limits, SIGXFSZ $mode" "$problems"; fi
done

# --- special files, in every place either program opens a file -------------------------
cp news.rpls d.rpls
check "tolvane source is a FIFO without a writer" 1 "コピー元ファイル fifo を開くのに失敗しました." "d.rpls" "" -- \
  "$tolvane" -d fifo d.rpls
check "tolvane destination is a FIFO" 1 "コピー先ファイル fifo を開くのに失敗しました." "news.rpls" "" -- \
  "$tolvane" -d news.rpls fifo
check "tolvane source is a character device" 1 "コピー元ファイル /dev/zero を開くのに失敗しました." "d.rpls" "" -- \
  "$tolvane" -d /dev/zero d.rpls
check "tolvane destination is a directory" 1 "コピー先ファイル dir を開くのに失敗しました." "news.rpls" "" -- \
  "$tolvane" -d news.rpls dir
check "tolvane parameter mode on a FIFO" 1 "コピー先ファイル fifo を開くのに失敗しました." "" "" -- \
  "$tolvane" -D 2024/1/31 fifo
for conversion in -b -f -n -r ""; do
  check "KORVET ${conversion:-default} input is a FIFO without a writer" 1 "読み込みファイルを開くのに失敗しました." "" "out.ts" -- \
    "$korvet" $conversion fifo out.ts
done
check "KORVET input is a directory" 1 "読み込みファイルを開くのに失敗しました." "" "out.ts" -- "$korvet" -n dir out.ts
check "KORVET input is a character device" 1 "読み込みファイルを開くのに失敗しました." "" "out.ts" -- \
  "$korvet" -b /dev/zero out.ts
check "KORVET output is a FIFO" 1 "保存先ファイルを作成するのに失敗しました." "sample.bd192" "" -- \
  "$korvet" -n sample.bd192 fifo

# --- KORVET: a wrong switch or an input without packets creates no output ---------------
check "KORVET -n on 188-byte packets" 1 "入力ファイルは188バイトのパケットのファイルです." "sample.ts" "out.ts" -- \
  "$korvet" -n sample.ts out.ts
check "KORVET default on one 188-byte packet" 1 "-f (188 -> FW192) か -b (188 -> BD192)" "one.ts" "out.ts" -- \
  "$korvet" one.ts out.ts
check "KORVET -r on 188-byte packets" 1 "入力ファイルは188バイトのパケットのファイルです." "sample.ts" "out.ts" -- \
  "$korvet" -r sample.ts out.ts
check "KORVET -b on 192-byte packets" 1 "入力ファイルは192バイトのパケットのファイルです." "sample.bd192" "out.ts" -- \
  "$korvet" -b sample.bd192 out.ts
check "KORVET -r on BD192 headers" 1 "FW192のものではありません" "sample.bd192" "out.ts" -- \
  "$korvet" -r sample.bd192 out.ts
check "KORVET -r -p on FW192 headers of 3072 ticks" 1 "FW192のものではありません" "sample.fw192" "out.ts" -- \
  "$korvet" -r -p sample.fw192 out.ts
check "KORVET -r on FW192 headers" 0 "ファイル終端まで正常に変換しました." "sample.fw192" "" -- \
  "$korvet" -r sample.fw192 ok.bd192
check "KORVET empty input" 1 "データ読み込み中にエラーが発生しました.(データ範囲外の読み込み)" "empty.ts" "out.ts" -- \
  "$korvet" -n empty.ts out.ts
check "KORVET garbage input: its output is removed" 1 "作成した出力ファイルは削除しました." "garbage.ts" "out.ts" -- \
  "$korvet" -n garbage.ts out.ts
check "KORVET -b on garbage" 1 "PATパケットを検出できませんでした." "garbage.ts" "out.ts" -- \
  "$korvet" -b garbage.ts out.ts
echo x >existing.ts
check "KORVET garbage input leaves an existing output alone" 1 "保存先ファイルを作成するのに失敗しました." \
  "garbage.ts existing.ts" "" -- "$korvet" -n garbage.ts existing.ts

# --- KORVET: a write past the file-size limit ------------------------------------------
for buffering in "" -x; do
  rm -f out.ts
  check "KORVET ${buffering:-unbuffered} output past the file-size limit" 1 "データ書き込み中にエラーが発生しました." \
    "sample.bd192" "" -- prlimit --fsize=200000 "$korvet" $buffering -n sample.bd192 out.ts
done
rm -f out.ts

# --- KORVET: interrupted runs end on a packet boundary ---------------------------------
for ((i = 0; i < 200; i++)); do cat sample.bd192; done >big.bd192
for ((i = 0; i < 200; i++)); do cat sample.ts; done >big.ts
big_sum=$(sums big.bd192)
set -m  # background jobs get SIGINT delivered, as in a terminal
for signal in INT TERM; do
  for buffering in "" -x; do
    name="KORVET ${buffering:-unbuffered} run interrupted by SIG$signal"
    rm -f out.ts
    "$korvet" $buffering -n big.bd192 out.ts >run.log 2>&1 &
    pid=$!
    for ((wait = 0; wait < 500; wait++)); do
      [[ -s out.ts ]] && break
      sleep 0.01
    done
    kill -s "$signal" "$pid" 2>/dev/null
    wait "$pid"
    rc=$?
    size=$(stat -c %s out.ts 2>/dev/null || echo 0)
    if [[ $rc -eq 0 ]]; then
      skip "$name" "the conversion ended before the signal"
    elif [[ $rc -ne 1 ]]; then
      fail "$name" "status $rc"
    elif ! grep -qF "変換を中断しました.出力ファイルは途中までの不完全なものです." run.log; then
      fail "$name" "no interruption message"
    elif ((size % 188 != 0)); then
      fail "$name" "output of $size bytes ends inside a packet"
    elif ! cmp -s -n "$size" out.ts big.ts; then
      fail "$name" "output is not the start of the conversion"
    elif [[ $(sums big.bd192) != "$big_sum" ]]; then
      fail "$name" "input changed"
    else
      pass "$name ($size bytes kept)"
    fi
  done
done
set +m
rm -f out.ts big.ts

# --- KORVET: standard input and output ("-"), and --check -------------------------------
# same NAME FILE1 FILE2: the two outputs must be byte for byte the same.
same() { if cmp -s "$2" "$3"; then pass "$1"; else fail "$1" "$2 and $3 differ"; fi; }
for conversion in -b -f -n -r ""; do
  case $conversion in -b | -f) input=sample.ts ;; -r) input=sample.fw192 ;; *) input=sample.bd192 ;; esac
  rm -f file.out pipe.out both.out
  "$korvet" $conversion "$input" file.out >/dev/null
  "$korvet" $conversion - pipe.out <"$input" >/dev/null 2>&1
  same "KORVET ${conversion:-default} from a pipe writes what it writes from the file" file.out pipe.out
  cat "$input" | "$korvet" $conversion - - >both.out 2>both.log
  same "KORVET ${conversion:-default} from a pipe into a pipe" file.out both.out
done
grep -qF "ファイル終端まで正常に変換しました." both.log || fail "KORVET - -" "no closing report on standard error"
check "KORVET empty pipe" 1 "データ読み込み中にエラーが発生しました.(データ範囲外の読み込み)" "" "out.ts" -- \
  bash -c "'$korvet' -n - out.ts </dev/null"
check "KORVET --check of an empty pipe" 1 "データ読み込み中にエラーが発生しました.(データ範囲外の読み込み)" "" "" -- \
  bash -c "'$korvet' --check - </dev/null"
# The reader of standard output goes away: the write error, status 1, not a silent SIGPIPE.
check "KORVET output pipe closed by its reader (EPIPE)" 1 "データ書き込み中にエラーが発生しました." "big.bd192" "" -- \
  bash -c "'$korvet' -n big.bd192 - 2>&1 >/dev/fd/3 3>&1 | cat; exit \${PIPESTATUS[0]}" 3> >(head -c 1000 >/dev/null)
rm -f out.ts
{ cat garbage.ts garbage.ts garbage.ts garbage.ts; cat sample.ts; } >late.ts  # 1.2 MB of garbage first
check "KORVET -b from a pipe whose PAT lies beyond the first batch" 1 "-t PID でPCR_PIDを指定するか" "late.ts" "out.ts" -- \
  bash -c "'$korvet' -b - out.ts <late.ts"
rm -f file.out pipe.out
"$korvet" -b late.ts file.out >/dev/null
"$korvet" -b -v 32 - pipe.out <late.ts >/dev/null 2>&1
same "KORVET -b -v 32 from a pipe finds that PAT in its larger first batch" file.out pipe.out
check "KORVET --check of a clean pipe" 0 "removed bytes 0" "" "" -- bash -c "'$korvet' --check - <sample.ts"
check "KORVET --check finds packets behind garbage longer than the first batch" 2 "removed bytes 1200000" \
  "late.ts" "" -- "$korvet" --check -d late.ts
check "KORVET --check finds them so on a pipe" 2 "removed bytes 1200000" "late.ts" "" -- \
  bash -c "'$korvet' --check -d - <late.ts"
check "KORVET --check of a pipe of garbage only" 1 "入力の1200000バイトのどこにも" "" "" -- \
  bash -c "cat garbage.ts garbage.ts garbage.ts garbage.ts | '$korvet' --check -d -"
if json=$("$korvet" --check --json sample.bd192 2>/dev/null) &&
  python3 -c 'import json, sys; d = json.loads(sys.argv[1]); assert d["packetSize"] == 192 and d["drops"] == 0' "$json"; then
  pass "KORVET --check --json prints one JSON object on standard output"
else
  fail "KORVET --check --json" "not one JSON object: $json"
fi
rm -f out.ts
check "KORVET --json with packets on standard output" 1 "--json は変換の出力が標準出力(-)のときには使えません." \
  "sample.bd192" "" -- bash -c "'$korvet' -n --check --json sample.bd192 - >/dev/null"
set -m
rm -f out.ts
{ cat big.bd192; sleep 30; } | "$korvet" -n - out.ts >run.log 2>&1 &
pid=$!
for ((wait = 0; wait < 500; wait++)); do
  [[ -s out.ts ]] && break
  sleep 0.01
done
sleep 0.5
kill -s INT "$pid" 2>/dev/null
wait "$pid"
rc=$?
size=$(stat -c %s out.ts 2>/dev/null || echo 0)
if [[ $rc -eq 1 ]] && grep -qF "変換を中断しました.出力ファイルは途中までの不完全なものです." run.log && ((size % 188 == 0)); then
  pass "KORVET reading a pipe that waits, interrupted by SIGINT ($size bytes kept)"
else
  fail "KORVET reading a pipe that waits, interrupted by SIGINT" "status $rc, $size bytes, log: $(tr '\r' ' ' <run.log)"
fi
set +m
rm -f out.ts file.out pipe.out both.out late.ts

# --- KORVET: a full output disk ----------------------------------------------------------
mkdir small
fs=""
if truncate -s 4M small.img && mke2fs -q -F small.img >/dev/null 2>&1 && mount -o loop small.img small 2>/dev/null; then
  fs="loop-mounted ext2 of 4 MiB"
elif mount -t tmpfs -o size=4m tmpfs small 2>/dev/null; then
  fs="tmpfs of 4 MiB"
fi
if [[ -z $fs ]]; then
  skip "KORVET output on a full disk" "cannot mount a small filesystem here (mount refused)"
else
  mounted=$work/small
  for buffering in "" -x; do
    check "KORVET ${buffering:-unbuffered} output on a full disk ($fs)" 1 "データ書き込み中にエラーが発生しました." \
      "big.bd192" "" -- "$korvet" $buffering -n big.bd192 small/out.ts
    rm -f small/out.ts
  done
  cp news.rpls small/d.rpls
  head -c 8M /dev/zero >small/fill 2>/dev/null
  check "tolvane on a full disk patches in place ($fs)" 0 "コピーしました." "movie.rpls" "" -- \
    "$tolvane" -dtpcnbig movie.rpls small/d.rpls
  cmp -s small/d.rpls full.rpls || fail "tolvane on a full disk" "not the patched file"
  umount small && mounted=""
fi

# --- tolvane --bdav: playlists that cannot be written, a stream that vanishes ----------
make_bdav=$build/tools/ts_streams/make_sample_bdav
if [[ ! -x $make_bdav ]]; then
  skip "tolvane --bdav cases" "make_sample_bdav is not built"
else
  # fresh_disc NAME: a new copy of the sample recorder folder at NAME/BDAV.
  fresh_disc() { rm -rf "$1" && mkdir "$1" && "$make_bdav" "$1"; }
  others_of() {  # every file of the disc except the one named
    find "$1" -type f ! -name "$2" | sort
  }

  fresh_disc pristine
  fresh_disc ro
  if [[ $(id -u) -eq 0 ]]; then
    chattr +i ro/BDAV/PLAYLIST/00001.rpls 2>/dev/null && ro_way=immutable || ro_way=""
  else
    chmod a-w ro/BDAV/PLAYLIST/00001.rpls && ro_way="mode 444"
  fi
  if [[ -z $ro_way ]]; then
    skip "tolvane --bdav with a read-only playlist" "cannot make a file read-only here"
  else
    check "tolvane --bdav --dry-run: a read-only playlist ($ro_way) is shown as not writable" 1 \
      "00001.rpls ← 00003.m2ts: 書き込めません" "$(find ro -type f | sort)" "" -- \
      "$tolvane" -dtpcnbieg --bdav ro --dry-run
    check "tolvane --bdav: a read-only playlist ($ro_way) is left alone, the others filled" 1 \
      "00001.rpls: 書き込みませんでした: プレイリストを開くのに失敗しました" \
      "ro/BDAV/PLAYLIST/00001.rpls $(find ro/BDAV/STREAM -type f | sort)" "" -- "$tolvane" -dtpcnbieg --bdav ro
    cmp -s ro/BDAV/PLAYLIST/00002.rpls pristine/BDAV/PLAYLIST/00002.rpls &&
      fail "tolvane --bdav with a read-only playlist" "the other playlists were not filled"
    [[ $ro_way == immutable ]] && chattr -i ro/BDAV/PLAYLIST/00001.rpls
  fi

  fresh_disc locked
  flock -x locked/BDAV/PLAYLIST/00002.rpls sleep 60 &
  locker=$!
  sleep 0.2
  check "tolvane --bdav: a playlist locked by another program is left alone" 1 \
    "00002.rpls: 書き込みませんでした: プレイリストを開くのに失敗しました" \
    "locked/BDAV/PLAYLIST/00002.rpls $(find locked/BDAV/STREAM -type f | sort)" "" -- \
    "$tolvane" -dtpcnbieg --bdav locked
  kill "$locker" 2>/dev/null
  wait "$locker" 2>/dev/null

  # The first playlist plays a stream of 2 GiB whose scan from 50 % crosses 1 GiB of zeros;
  # meanwhile the stream of the second playlist is removed.
  fresh_disc vanish
  truncate -s 2G vanish/BDAV/STREAM/00003.m2ts
  keep=$(find vanish/BDAV/STREAM -type f ! -name 00005.m2ts ! -name 00003.m2ts | sort)
  keep+=" $(echo vanish/BDAV/PLAYLIST/{00001.rpls,00002.rpls,00007.rpls,00008.rpls,00001.vpls})"
  before=$(sums $keep)
  "$tolvane" -dtpcnbieg --bdav vanish >run.log 2>&1 &
  pid=$!
  sleep 0.3
  name="tolvane --bdav: a stream that vanishes mid-run"
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    skip "$name" "the run ended before the stream was removed"
  else
    rm vanish/BDAV/STREAM/00005.m2ts
    wait "$pid"
    rc=$?
    if grep -q "00002.rpls ← 00005.m2ts: 書き込みました" run.log; then
      skip "$name" "the run read the stream before it was removed"
    elif [[ $rc -ne 1 ]]; then
      fail "$name" "status $rc"
    elif ! grep -q "00002.rpls ← 00005.m2ts: 書き込みませんでした: ストリームを開くのに失敗しました" run.log; then
      fail "$name" "no message for the vanished stream: $(cat run.log)"
    elif ! grep -q "00003.rpls ← 00006.m2ts: 書き込みました" run.log; then
      fail "$name" "the run did not go on: $(cat run.log)"
    elif [[ $(sums $keep) != "$before" ]]; then
      fail "$name" "a file that must stay as it was changed"
    else
      pass "$name"
    fi
  fi
  # Ctrl+C while the first playlist's 2 GiB stream is scanned (its programme lies at the end):
  # the run stops before that save, says how far it got and touches no playlist.
  fresh_disc stop
  sample_stream=stop/BDAV/STREAM/00004.m2ts
  truncate -s 2G stop/BDAV/STREAM/00003.m2ts
  dd if="$sample_stream" of=stop/BDAV/STREAM/00003.m2ts bs=192 seek=$(((2147483648 - 400000) / 192)) conv=notrunc \
    status=none
  keep=$(find stop/BDAV/PLAYLIST -type f | sort)
  before=$(sums $keep)
  set -m
  "$tolvane" -dtpcnbieg --bdav stop >run.log 2>&1 &
  pid=$!
  sleep 0.3
  name="tolvane --bdav interrupted by SIGINT"
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    skip "$name" "the run ended before the signal"
  else
    kill -s INT "$pid"
    wait "$pid"
    rc=$?
    if [[ $rc -ne 1 ]]; then
      fail "$name" "status $rc"
    elif ! grep -q "中断しました. プレイリスト 8 件中 0 件を処理しました." run.log; then
      fail "$name" "no interruption message: $(cat run.log)"
    elif [[ $(sums $keep) != "$before" ]]; then
      fail "$name" "a playlist changed"
    else
      pass "$name"
    fi
  fi
  set +m
  rm -rf pristine ro locked vanish stop
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
