#!/usr/bin/env python3
"""Writes a large 188-byte transport stream for the KORVET benchmark.

A PAT and a PMT (PCR on PID 0x0100) every 4000 packets, a PCR packet every 400 packets with
the PCR of a 16 Mbit/s stream, and pseudo-random payload packets in between. The packet count
is a multiple of 16,384, so that the file, and its 192-byte conversions, are whole 64 KiB
blocks (the dd references with O_DIRECT need that).

    make_input.py OUTPUT [GROUPS]   (GROUPS of 16,384 packets; 349 make about 1 GiB)
"""
import random
import sys
import zlib

PACKETS_PER_GROUP = 16384
PCR_PID = 0x0100
PMT_PID = 0x1000
TICKS_PER_PACKET = 188 * 8 * 27_000_000 // 16_000_000  # 27 MHz ticks per packet at 16 Mbit/s
PCR_EVERY = 400
PSI_EVERY = 4000


def crc32_mpeg(data: bytes) -> int:
    crc = 0xFFFFFFFF
    for byte in data:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7) & 0xFFFFFFFF if crc & 0x80000000 else (crc << 1) & 0xFFFFFFFF
    return crc


def section(table_id: int, body: bytes) -> bytes:
    length = len(body) + 4
    head = bytes([table_id, 0xB0 | (length >> 8), length & 0xFF]) + body
    return head + crc32_mpeg(head).to_bytes(4, "big")


def psi_packet(pid: int, sec: bytes) -> bytes:
    payload = bytes([0]) + sec
    return bytes([0x47, 0x40 | (pid >> 8), pid & 0xFF, 0x10]) + payload + b"\xff" * (184 - len(payload))


def pcr_packet(pcr: int) -> bytes:
    base, ext = divmod(pcr, 300)
    base &= (1 << 33) - 1
    field = bytes([
        0x10,
        (base >> 25) & 0xFF, (base >> 17) & 0xFF, (base >> 9) & 0xFF, (base >> 1) & 0xFF,
        ((base & 1) << 7) | 0x7E | (ext >> 8), ext & 0xFF,
    ])
    return bytes([0x47, PCR_PID >> 8, PCR_PID & 0xFF, 0x20, 183]) + field + b"\xff" * (183 - len(field))


def main() -> None:
    out_path = sys.argv[1]
    groups = int(sys.argv[2]) if len(sys.argv) > 2 else 349
    total = groups * PACKETS_PER_GROUP
    rng = random.Random(20240601)
    pool_size = 4096
    pool = bytearray()
    for i in range(pool_size):
        pool += bytes([0x47, 0x01, 0x11, 0x10 | (i & 0x0F)]) + rng.randbytes(184)
    pat = psi_packet(0, section(0x00, bytes([0x00, 0x01, 0xC1, 0x00, 0x00, 0x00, 0x01, 0xE0 | (PMT_PID >> 8), PMT_PID & 0xFF])))
    pmt = psi_packet(PMT_PID, section(0x02, bytes([0x00, 0x01, 0xC1, 0x00, 0x00, 0xE0 | (PCR_PID >> 8), PCR_PID & 0xFF, 0xF0, 0x00,
                                                   0x02, 0xE1, 0x11, 0xF0, 0x00])))
    with open(out_path, "wb") as out:
        written = 0
        chunk = bytearray()
        pool_at = 0
        while written < total:
            if written % PSI_EVERY == 0:
                chunk += pat + pmt
                written += 2
            elif written % PCR_EVERY == 0:
                chunk += pcr_packet(27_000_000 + written * TICKS_PER_PACKET)
                written += 1
            else:
                # Payload packets up to the next PCR, PSI or end, taken from the pool.
                run = min(PCR_EVERY - written % PCR_EVERY, total - written, pool_size - pool_at)
                chunk += pool[pool_at * 188:(pool_at + run) * 188]
                pool_at = (pool_at + run) % pool_size
                written += run
            if len(chunk) >= 8 << 20:
                out.write(chunk)
                chunk.clear()
        out.write(chunk)
    assert written == total, (written, total)


if __name__ == "__main__":
    main()
