// Builds small transport streams for the tests: PSI sections with a valid CRC, packets that
// carry them (whole or split), PCR packets and payload packets.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace korvet::test {

using Bytes = std::vector<std::uint8_t>;

// A section: table_id, section_length, the body after the 3-byte header, CRC_32 computed.
Bytes section(std::uint8_t tableId, const Bytes& afterLength);
// PAT listing (program_number, PID) pairs; PMT naming `pcrPid` with no streams.
Bytes patSection(const std::vector<std::pair<std::uint16_t, std::uint16_t>>& programs);
Bytes pmtSection(std::uint16_t pcrPid);

// One 188-byte packet on `pid`; `payload` is padded with 0xFF.
Bytes packet(std::uint16_t pid, bool unitStart, const Bytes& payload, std::uint8_t counter = 0);
// The packets that carry `section` from a unit start with pointer_field 0, `firstChunk`
// section bytes in the first packet (0: as many as fit) and as many as fit in the rest.
std::vector<Bytes> sectionPackets(std::uint16_t pid, const Bytes& section, std::size_t firstChunk = 0);
// A packet on `pid` with an adaptation field carrying `pcr` (27 MHz ticks).
Bytes pcrPacket(std::uint16_t pid, std::int64_t pcr);
// A payload packet whose bytes after the header are a pattern from `seed`.
Bytes payloadPacket(std::uint16_t pid, std::uint32_t seed);

void append(Bytes& out, const Bytes& bytes);
void append(Bytes& out, const std::vector<Bytes>& packets);
// A 192-byte packet: `header` big-endian, then the 188-byte packet.
Bytes withHeader(std::uint32_t header, const Bytes& ts);

std::string tempPath(const std::string& name);
void writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);

}  // namespace korvet::test
