#!/usr/bin/env python3
"""Seeds for the two stream fuzz targets, cut from the bundled sample streams.

    make_stream_seeds.py MAKE_SAMPLE_TS OUTPUT_DIR

Writes OUTPUT_DIR/fuzz_ts_stream and OUTPUT_DIR/fuzz_korvet_stream. Each stream is used in
188- and 192-byte packets (the 192-byte form of the KORVET sample gets a 4-byte header with a
rising arrival time), cut at the head, at the middle and to its first ten packets; a cut of
about 64 KiB holds several rounds of PAT, PMT, EIT and SDT (or SIT) of the programme streams
and many PCRs of the KORVET sample. The two bytes in front of each cut are the targets'
switches: packet size and start percentage for the TS reader; packet size, reader settings
and the fallback PCR PID for KORVET."""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
KORVET_SAMPLE = os.path.join(ROOT, "ts_converter", "tests", "data", "sample.ts")
CUT_BYTES = 65536
KORVET_PCR_PID = 0x0111  # the video PID of the KORVET sample carries its PCR


def with_arrival_headers(stream188):
    out = bytearray()
    for index in range(len(stream188) // 188):
        arrival = (index * 5400) & 0x3FFFFFFF  # 27 MHz ticks, 0.2 ms apart
        out += arrival.to_bytes(4, "big") + stream188[index * 188:(index + 1) * 188]
    return bytes(out)


def cuts(stream, packet_size):
    packets = len(stream) // packet_size
    length = min(CUT_BYTES // packet_size, packets) * packet_size
    middle = (packets // 2) * packet_size
    return {
        "head": stream[:length],
        "middle": stream[middle:middle + length],
        "ten": stream[:10 * packet_size],
    }


def generated(tool, packet_size, *extra):
    with tempfile.TemporaryDirectory() as scratch:
        path = os.path.join(scratch, "sample.ts")
        subprocess.run([tool, path, str(packet_size), *extra], check=True, stdout=subprocess.DEVNULL)
        with open(path, "rb") as f:
            return f.read()


def write(folder, name, head, body):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(head) + body)


def main():
    tool, output = sys.argv[1], sys.argv[2]
    with open(KORVET_SAMPLE, "rb") as f:
        korvet188 = f.read()
    streams = {}  # (name, packet size) -> bytes
    for size in (188, 192):
        streams[("programme", size)] = generated(tool, size)
        streams[("selection", size)] = generated(tool, size, "sit")
    streams[("korvet", 188)] = korvet188
    streams[("korvet", 192)] = with_arrival_headers(korvet188)

    ts_folder = os.path.join(output, "fuzz_ts_stream")
    korvet_folder = os.path.join(output, "fuzz_korvet_stream")
    count = 0
    for (name, size), stream in sorted(streams.items()):
        size_bit = 1 if size == 192 else 0
        for cut, body in cuts(stream, size).items():
            label = f"{name}-{size}-{cut}"
            write(ts_folder, label, (size_bit, 0), body)
            # Reader flags and PID: the sample's PCR PID, or none with batches and converter
            # switches flipped.
            write(korvet_folder, label, (size_bit | (KORVET_PCR_PID >> 8 << 3), KORVET_PCR_PID & 0xFF), body)
            write(korvet_folder, label + "-switched", (size_bit | 6, 0x00), body)
            count += 3
        # A scan that starts at the middle of the cut.
        write(ts_folder, f"{name}-{size}-head-from-50", (size_bit, 50), cuts(stream, size)["head"])
        count += 1
    print(f"wrote {count} seeds to {output}")


if __name__ == "__main__":
    main()
