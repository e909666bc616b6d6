#!/usr/bin/env bash
# Builds the ARIB codec benchmark (optimised, own build directory) and runs it.
#   bench/arib/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-bench-arib -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench-arib -j"$(nproc 2>/dev/null || echo 2)" --target arib_bench >/dev/null
build-bench-arib/bench/arib/arib_bench
