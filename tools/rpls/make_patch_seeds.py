#!/usr/bin/env python3
"""Seeds for the RPLS patch fuzz target: every pair of sample RPLS files as source and
destination, each with a few choices of copied field groups.

    make_patch_seeds.py MAKE_SAMPLE_RPLS OUTPUT_DIR

The fuzz input is two bytes of switches (little-endian bit set), two bytes of source size
(big-endian), the source image and then the destination image."""
import itertools
import os
import subprocess
import sys
import tempfile

SAMPLES = ("news", "movie", "plain")
JOIN = 1 << 11
SIZE_CONTROLS = 1 << 13
SWITCH_SETS = (
    0x3FFF & ~JOIN,            # every group copied, descriptions separately
    SIZE_CONTROLS | JOIN | 0x1FF,  # joined description and the fixed fields
    0x1555,                    # every other group, from the date
    0x2AAA,                    # the others, with size controls
)


def main():
    tool, output = sys.argv[1], sys.argv[2]
    os.makedirs(output, exist_ok=True)
    images = {}
    with tempfile.TemporaryDirectory() as scratch:
        for name in SAMPLES:
            path = os.path.join(scratch, name + ".rpls")
            subprocess.run([tool, name, path], check=True, stdout=subprocess.DEVNULL)
            with open(path, "rb") as f:
                images[name] = f.read()
    count = 0
    for source, destination in itertools.product(SAMPLES, SAMPLES):
        for switches in SWITCH_SETS:
            image = images[source]
            head = bytes([switches & 0xFF, switches >> 8, len(image) >> 8, len(image) & 0xFF])
            with open(os.path.join(output, f"seed-{source}-{destination}-{switches:04x}"), "wb") as f:
                f.write(head + image + images[destination])
            count += 1
    print(f"{count} seeds in {output}")


if __name__ == "__main__":
    main()
