#!/usr/bin/env bash
# Rebuilds the demo recording info_copier/ts/tests/data/sample_programme.ts with the stream builder.
#   tools/ts_streams/regenerate_sample.sh [build-dir]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target make_sample_ts -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
# The builder never overwrites a file: make the new one beside the old, then replace it.
sample=info_copier/ts/tests/data/sample_programme.ts
rm -f "$sample.new"
"$build/tools/ts_streams/make_sample_ts" "$sample.new"
mv "$sample.new" "$sample"
echo "wrote info_copier/ts/tests/data/sample_programme.ts"
