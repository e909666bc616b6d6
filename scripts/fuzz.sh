#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan) and runs each for a while.
#   scripts/fuzz.sh [seconds-per-target]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=$(nproc 2>/dev/null || echo 2)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DBUILD_TESTING=OFF -DBUILD_FUZZERS=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$jobs"
# The RPLS patch target needs well-formed images to start from: sample files made by the
# fixture tool (built above with the rest), paired as source and destination.
patch_corpus=build-fuzz/corpus/fuzz_rpls_patch
if [ -z "$(ls -A "$patch_corpus" 2>/dev/null)" ]; then
  python3 tools/rpls/make_patch_seeds.py build-fuzz/tools/rpls/make_sample_rpls "$patch_corpus"
fi
# The command-line target starts from two parameter-mode command lines (arguments split at
# NUL bytes).
argument_corpus=build-fuzz/corpus/fuzz_tolvane_arguments
if [ -z "$(ls -A "$argument_corpus" 2>/dev/null)" ]; then
  mkdir -p "$argument_corpus"
  printf -- '-D\0002025/4/1\0-T\00019:00:00\0-P\0000:45:00\0-B\0ドキュメント７２時間「駅前」\0-I\0第１回\\n街の人々。\0-G\0000x80\0-G\0000x0F\0dest.rpls' \
    >"$argument_corpus/seed-schedule"
  printf -- '-C\0ＮＨＫ総合\0-N\0000x0011\0-E\0出演：山田\0-w\0dest.rpls' >"$argument_corpus/seed-channel"
fi
mapfile -t targets < <(find build-fuzz -type f -name 'fuzz_*' -perm -u+x | sort)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 1; }
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  echo "== $name ($seconds s)"
  # libFuzzer reports on stderr; the programs' own messages (stdout) are dropped.
  UBSAN_OPTIONS=halt_on_error=1 "$target" -max_total_time="$seconds" -print_final_stats=0 \
    -artifact_prefix="build-fuzz/$name-" "$corpus" 2>&1 >/dev/null | tail -n 3
done
echo "fuzzing finished without findings"
