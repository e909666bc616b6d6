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
mapfile -t targets < <(find build-fuzz -type f -name 'fuzz_*' -perm -u+x | sort)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 1; }
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  echo "== $name ($seconds s)"
  UBSAN_OPTIONS=halt_on_error=1 "$target" -max_total_time="$seconds" -print_final_stats=0 \
    -artifact_prefix="build-fuzz/$name-" "$corpus" 2>&1 | tail -n 3
done
echo "fuzzing finished without findings"
