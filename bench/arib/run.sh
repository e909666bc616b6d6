#!/usr/bin/env bash
# Builds the ARIB codec benchmark (optimised, own build directory) and runs it; then times
# Python's euc_jis_2004 codec on the same texts as a second, looser reference.
#   bench/arib/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-bench-arib -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench-arib -j"$(nproc 2>/dev/null || echo 2)" --target arib_bench >/dev/null
bench=build-bench-arib/bench/arib/arib_bench
report=$("$bench")
echo "$report"
decoder_mbps=$(awk '/^decodeAribText/ { print $(NF - 1) }' <<<"$report")
"$bench" euc build-bench-arib/euc_texts.bin
python3 bench/arib/python_reference.py build-bench-arib/euc_texts.bin "$decoder_mbps"
