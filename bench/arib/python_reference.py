#!/usr/bin/env python3
"""Second reference for the ARIB decoder: Python's euc_jis_2004 codec turning the same texts
into UTF-16, text by text like the decoder.

    python_reference.py TEXTS DECODER_MBPS

TEXTS is what `arib_bench euc PATH` writes (each text as a 4-byte little-endian length and
its bytes). Prints the median MB/s (of UTF-16 output) over nine rounds and the decoder's rate,
measured beforehand by arib_bench, against it. The two are timed in separate runs, not in
alternating pairs, so the ratio is looser than arib_bench's own."""
import statistics
import struct
import sys
import time


def read_texts(path):
    texts = []
    with open(path, "rb") as f:
        data = f.read()
    at = 0
    while at < len(data):
        (length,) = struct.unpack_from("<I", data, at)
        texts.append(data[at + 4 : at + 4 + length])
        at += 4 + length
    return texts


def seconds_per_pass(texts):
    passes = 0
    start = time.perf_counter()
    while True:
        for text in texts:
            text.decode("euc_jis_2004").encode("utf-16-le")
        passes += 1
        elapsed = time.perf_counter() - start
        if elapsed >= 0.1:
            return elapsed / passes


def main():
    texts = read_texts(sys.argv[1])
    decoder_mbps = float(sys.argv[2])
    utf16_bytes = sum(len(t.decode("euc_jis_2004").encode("utf-16-le")) for t in texts)
    rate = utf16_bytes / statistics.median(seconds_per_pass(texts) for _ in range(9)) / 1e6
    print(f"{'Python euc_jis_2004 -> UTF-16':<34} {rate:10.1f}")
    print(f"decoder vs Python: {decoder_mbps / rate:.2f}x (separate runs; context beside iconv)")


if __name__ == "__main__":
    main()
