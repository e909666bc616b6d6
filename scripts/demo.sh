#!/usr/bin/env bash
# Builds the two programs and the RPLS inspector (Release, into build-demo/) and shows what
# they do on bundled sample data. Every step prints the files it changes before and after.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
bin=build-demo
out=demo-out

step() { printf '\n\033[1m== %s\033[0m\n' "$*"; }

step "Building tolvane, KORVET and rpls-dump (Release, into $bin/)…"
started=$SECONDS
cmake -S . -B "$bin" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DWERROR=OFF >/dev/null
cmake --build "$bin" -j"$jobs" --target tolvane KORVET rpls_dump make_sample_rpls >/dev/null
echo "built in $((SECONDS - started)) s"

tolvane=$bin/info_copier/tolvane
korvet=$bin/ts_converter/KORVET
dump=$bin/tools/rpls/rpls-dump
sample=$bin/tools/rpls/make_sample_rpls
rm -rf "$out" && mkdir -p "$out"

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
# changed FILE CMD...: shows FILE, runs CMD, shows FILE again with its changed lines marked "*".
changed() {
  local file=$1; shift
  "$dump" "$file" >"$out/before.txt"
  echo "-- $file before:"
  sed 's/^/  /' "$out/before.txt"
  run "$@"
  "$dump" "$file" >"$out/after.txt"
  echo "-- $file after (* = changed):"
  awk 'NR == FNR { seen[$0] = 1; next } { print (($0 in seen) ? "  " : "* ") $0 }' \
    "$out/before.txt" "$out/after.txt"
}
# headers FILE: the 4-byte headers of the first five 192-byte packets, in hexadecimal.
headers() {
  local i
  for i in 0 1 2 3 4; do printf ' %s' "$(od -A n -t x1 -j $((i * 192)) -N 4 "$1" | tr -d ' \n')"; done
  echo
}

step "Three sample RPLS playlists: layout 0x0108 (news), layout 0x0103 (movie), no private block (plain)"
for name in news movie plain; do "$sample" "$name" "$out/$name.rpls"; done
run "$dump" "$out/news.rpls"

step "tolvane: copy date, times, channel, title, description and genres from news.rpls into movie.rpls"
changed "$out/movie.rpls" "$tolvane" -dtpcnbig "$out/news.rpls" "$out/movie.rpls"

step "tolvane -x: description and extended description of news.rpls joined into plain.rpls"
changed "$out/plain.rpls" "$tolvane" -x "$out/news.rpls" "$out/plain.rpls"

step "tolvane parameter mode: a Japanese title, a two-line description and two genres"
"$sample" news "$out/param.rpls"
changed "$out/param.rpls" "$tolvane" -D 2025/4/1 -T 19:00:00 -P 0:45:00 \
  -B "ドキュメント７２時間「駅前の食堂」" -I "第１回\n街の人々の７２時間を見つめる。" -G 0x80 -G 0x0F "$out/param.rpls"

step "tolvane refuses a bad value (24:00:00) and leaves the destination untouched"
cp "$out/plain.rpls" "$out/untouched.rpls"
run "$tolvane" -T 24:00:00 "$out/plain.rpls"
cmp "$out/plain.rpls" "$out/untouched.rpls" && echo "plain.rpls unchanged"

ts_sample=info_copier/ts/tests/data/sample_programme.ts
step "tolvane: programme information from the service information (EIT, SDT) of a TS recording"
"$sample" news "$out/from-ts.rpls"
changed "$out/from-ts.rpls" "$tolvane" -dtpcnbieg "$ts_sample" "$out/from-ts.rpls"

step "A recorder's folder: the catalogue of its playlists and the clips they play (rpls-dump FOLDER)"
# The sample folder is made from the sample recording: playlists whose numbers differ from their
# clips', an edited one of two PlayItems, two that share a clip, an SIT-only partial stream,
# upper-case names, a missing stream and an M2PS item.
cmake --build "$bin" -j"$jobs" --target make_sample_bdav >/dev/null
mkdir -p "$out/disc"
"$bin/tools/ts_streams/make_sample_bdav" "$out/disc"
run "$dump" "$out/disc"

step "tolvane --bdav --dry-run: what filling every playlist would change (nothing is written)"
run "$tolvane" -dtpcnbieg --bdav "$out/disc" --dry-run

step "tolvane --bdav: every playlist filled from the recording it plays; the two that cannot be are left alone"
run "$tolvane" -dtpcnbieg --bdav "$out/disc"
run "$dump" "$out/disc"

korvet_sample=ts_converter/tests/data/sample.ts
step "KORVET: 188-byte TS -> BD192 (arrival times made from the PCR)"
echo "-- $korvet_sample before: first two 188-byte packets start with the sync byte 0x47:"
od -A d -t x1 -N 4 "$korvet_sample"
od -A d -t x1 -j 188 -N 4 "$korvet_sample"
runk "$korvet" -b "$korvet_sample" "$out/sample.m2ts"
echo "-- $out/sample.m2ts after: a 4-byte arrival-time header, then the packet (0x47 at 4):"
od -A d -t x1 -N 8 "$out/sample.m2ts"
od -A d -t x1 -j 192 -N 8 "$out/sample.m2ts"
ls -l "$korvet_sample" "$out/sample.m2ts" | awk '{ print "  " $5 " bytes  " $NF }'

step "KORVET: BD192 -> FW192 (the default conversion): the same instants, written as cycle count and offset"
runk "$korvet" "$out/sample.m2ts" "$out/sample.fw192"
echo "-- headers of the first five packets:"
printf '  BD192: '; headers "$out/sample.m2ts"
printf '  FW192: '; headers "$out/sample.fw192"

step "KORVET -n: BD192 -> plain TS again"
runk "$korvet" -n "$out/sample.m2ts" "$out/roundtrip.ts"
cmp "$korvet_sample" "$out/roundtrip.ts" && echo "188 -> BD192 -> 188 gives back the input byte for byte"

step "KORVET never overwrites an existing file"
runk "$korvet" -b "$korvet_sample" "$out/sample.m2ts"

rm -f "$out/before.txt" "$out/after.txt" "$out/korvet.log"
printf '\nDemo files are in %s/; the programs are in %s/ (see README.md).\n' "$out" "$bin"
