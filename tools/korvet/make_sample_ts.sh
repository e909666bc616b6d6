#!/usr/bin/env bash
# Makes the small 188-byte transport stream that the KORVET tests use as a real-world fixture:
# a few seconds of a test picture and a sine tone, MPEG-2 video and MP2 audio at a low bitrate.
# The result is committed, so the tests never need FFmpeg.
#
#   tools/korvet/make_sample_ts.sh [output]   (default: ts_converter/tests/data/sample.ts)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../ts_converter/tests/data/sample.ts}
max_bytes=$((4 * 1024 * 1024))

if ! command -v ffmpeg >/dev/null 2>&1; then
  apt-get update && apt-get install -y ffmpeg
fi

tmp=$(mktemp --suffix=.ts)
trap 'rm -f "$tmp"' EXIT

# Fixed PIDs and a PCR every 20 ms on the video PID keep the stream's layout predictable;
# -bitexact and the fixed seed of the test sources make reruns give the same bytes.
ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "testsrc=size=320x240:rate=25:duration=6" \
  -f lavfi -i "sine=frequency=1000:sample_rate=48000:duration=6" \
  -map 0:v -map 1:a \
  -c:v mpeg2video -b:v 600k -maxrate 600k -bufsize 600k -g 12 \
  -c:a mp2 -b:a 128k \
  -f mpegts -mpegts_pmt_start_pid 0x0100 -mpegts_start_pid 0x0111 \
  -mpegts_service_id 1 -pcr_period 20 -muxrate 1000000 \
  -fflags +bitexact -flags:v +bitexact -flags:a +bitexact \
  "$tmp"

size=$(stat -c %s "$tmp")
if (( size % 188 != 0 )); then
  echo "unexpected size $size: not whole 188-byte packets" >&2
  exit 1
fi
if (( size > max_bytes )); then
  echo "sample is $size bytes, more than $max_bytes" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
chmod 644 "$tmp"
mv "$tmp" "$out"
trap - EXIT
echo "wrote $out ($size bytes, $((size / 188)) packets)"
