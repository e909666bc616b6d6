// Single TS packets laid out field by field, for tests that build a stream packet by packet
// (payload packets, PCR packets, adaptation fields, sections cut at chosen places, 192-byte
// packets with a given header), and readers of the time fields a test checks in a result.
// Written from ISO/IEC 13818-1, the BDAV TP_extra_header and the IEC 61883-4 source packet
// header, independently of the code the tests exercise.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "si_sections.h"

namespace ts_streams {

// One 188-byte packet on `pid` with payload only; `payload` (at most 184 bytes) is padded
// with 0xFF. A unit-start packet's payload begins with the pointer_field the caller gives.
Bytes tsPacket(std::uint16_t pid, bool unitStart, const Bytes& payload, std::uint8_t counter = 0);
// The same behind an adaptation field: `adaptationField` is what follows its length byte
// (the flags byte, then the flagged fields and stuffing).
Bytes tsPacketWithAdaptation(std::uint16_t pid, bool unitStart, const Bytes& adaptationField, const Bytes& payload,
                             std::uint8_t counter = 0);
// An adaptation-only packet on `pid` whose adaptation field carries `pcr` (27 MHz ticks,
// below 2^33 × 300), stuffed to the packet's end.
Bytes pcrPacket(std::uint16_t pid, std::int64_t pcr);
// A payload packet whose 184 payload bytes are a pattern from `seed`; the continuity
// counter is the seed's low four bits.
Bytes payloadPacket(std::uint16_t pid, std::uint32_t seed);
// The packets that carry `section` from a unit start with pointer_field 0: `firstChunk`
// section bytes in the first packet (0: as many as fit, 183), then up to 184 in each of the
// rest, the last padded with 0xFF. Continuity counters count from 0.
std::vector<Bytes> sectionPackets(std::uint16_t pid, const Bytes& section, std::size_t firstChunk = 0);

void append(Bytes& out, const Bytes& bytes);
// `parts` one after the other, in a vector sized once (GCC 12 at -O3 takes insertion into a
// small vector built from a brace list for a read past its end).
Bytes joined(std::initializer_list<std::span<const std::uint8_t>> parts);
void append(Bytes& out, const std::vector<Bytes>& packets);

// A 192-byte packet: the 4-byte `header` big-endian, then the 188-byte packet.
Bytes withHeader(std::uint32_t header, const Bytes& ts);

// The fields of a 192-byte packet's header at `header` (4 bytes).
// BD192: the 30-bit arrival time stamp (bits 29..0; the copy permission bits are left out).
std::int64_t bd192ArrivalTime(const std::uint8_t* header);
// FW192: the 13-bit cycle count (bits 24..12) and the 12-bit cycle offset (bits 11..0).
std::int32_t fw192Cycle(const std::uint8_t* header);
std::int32_t fw192Offset(const std::uint8_t* header);

// The PCR of the 188-byte packet at `packet` when it is on `pid` and its adaptation field
// has one (base × 300 + extension), else nothing.
std::optional<std::int64_t> packetPcr(const std::uint8_t* packet, std::uint16_t pid);

}  // namespace ts_streams
