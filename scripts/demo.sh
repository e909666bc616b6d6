#!/usr/bin/env bash
# Builds both programs and shows what they do on the bundled sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DBUILD_TESTING=ON -DWERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" >/dev/null

bin=build
tolvane=$bin/info_copier/tolvane
korvet=$bin/ts_converter/KORVET
dump=$bin/tools/rpls/rpls_dump
sample=$bin/tools/rpls/make_sample_rpls
out=demo-out
rm -rf "$out" && mkdir -p "$out"

step() { printf '\n\033[1m== %s\033[0m\n' "$*"; }
run() { printf '$ %s\n' "$*"; "$@" || printf '(exit status %d)\n' "$?"; }
# KORVET redraws its progress line with carriage returns; show only the last one.
runk() {
  printf '$ %s\n' "$*"
  local status=0
  "$@" >"$out/korvet.log" || status=$?
  tr '\r' '\n' <"$out/korvet.log" | awk '/^変換中\([0-9]+%\)\. *$/ { last = $0; next }
    { if (last != "") { print last; last = "" } if ($0 != "") print }'
  [ "$status" -eq 0 ] || printf '(exit status %d)\n' "$status"
}

step "Three sample RPLS files: one per private-block layout, and one without"
"$sample" news "$out/news.rpls"
"$sample" movie "$out/movie.rpls"
"$sample" plain "$out/plain.rpls"
run "$dump" "$out/news.rpls"
run "$dump" "$out/movie.rpls"

step "tolvane: copy date, times, channel, title, description and genres from news.rpls into movie.rpls"
run "$tolvane" -dtpcnbig "$out/news.rpls" "$out/movie.rpls"
run "$dump" "$out/movie.rpls"

step "tolvane -x: join description and extended description into one text"
run "$tolvane" -x "$out/news.rpls" "$out/plain.rpls"
run "$dump" "$out/plain.rpls"

step "tolvane parameter mode: a Japanese title, a two-line description and two genres"
"$sample" news "$out/param.rpls"
run "$tolvane" -D 2025/4/1 -T 19:00:00 -P 0:45:00 -B "ドキュメント７２時間「駅前の食堂」" \
  -I "第１回\n街の人々の７２時間を見つめる。" -G 0x80 -G 0x0F "$out/param.rpls"
run "$dump" "$out/param.rpls"

step "tolvane refuses a bad run and leaves the destination untouched"
cp "$out/plain.rpls" "$out/before.rpls"
run "$tolvane" -T 24:00:00 "$out/plain.rpls"
cmp "$out/plain.rpls" "$out/before.rpls" && echo "plain.rpls unchanged"

ts_sample=info_copier/ts/tests/data/sample_programme.ts
if [ -f "$ts_sample" ]; then
  step "tolvane: programme information from the service information of a TS file"
  run "$tolvane" -dtpcnbieg "$ts_sample" "$out/news.rpls"
  run "$dump" "$out/news.rpls"
fi

korvet_sample=ts_converter/tests/data/sample.ts
if [ -x "$korvet" ] && [ -f "$korvet_sample" ]; then
  step "KORVET: 188-byte TS -> BD192 (time stamps from the PCR), then back to 188"
  runk "$korvet" -b "$korvet_sample" "$out/sample.m2ts"
  echo "first two BD192 packets (4-byte arrival time header, then the 0x47 sync byte):"
  od -A d -t x1 -N 8 "$out/sample.m2ts"
  od -A d -t x1 -j 192 -N 8 "$out/sample.m2ts"
  runk "$korvet" -n "$out/sample.m2ts" "$out/roundtrip.ts"
  cmp "$korvet_sample" "$out/roundtrip.ts" && echo "188 -> BD192 -> 188 gives back the input byte for byte"
  step "KORVET: BD192 -> FW192 (default conversion)"
  runk "$korvet" "$out/sample.m2ts" "$out/sample.fw192"
  od -A d -t x1 -N 8 "$out/sample.fw192"
  step "KORVET never overwrites an existing file"
  runk "$korvet" -b "$korvet_sample" "$out/sample.m2ts"
fi
printf '\nDemo files are in %s/\n' "$out"
