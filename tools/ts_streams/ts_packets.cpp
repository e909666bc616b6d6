#include "ts_packets.h"

#include <algorithm>
#include <cstring>

namespace ts_streams {

namespace {

constexpr std::size_t kTsPacketSize = 188;
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kTimeStampSize = 4;  // in front of each packet of the 192-byte formats

std::uint32_t be32(const std::uint8_t* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
           bytes[3];
}

// sync byte, unit start and PID, then the adaptation_field_control bits and the counter.
Bytes packetHeader(std::uint16_t pid, bool unitStart, std::uint8_t adaptationControl, std::uint8_t counter) {
    return {0x47, static_cast<std::uint8_t>((unitStart ? 0x40 : 0x00) | ((pid >> 8) & 0x1F)),
            static_cast<std::uint8_t>(pid), static_cast<std::uint8_t>((adaptationControl << 4) | (counter & 0x0F))};
}

Bytes padded(Bytes packet) {
    packet.resize(kTsPacketSize, 0xFF);
    return packet;
}

}  // namespace

Bytes tsPacket(std::uint16_t pid, bool unitStart, const Bytes& payload, std::uint8_t counter) {
    Bytes packet = packetHeader(pid, unitStart, 0x1, counter);
    append(packet, payload);
    return padded(packet);
}

Bytes tsPacketWithAdaptation(std::uint16_t pid, bool unitStart, const Bytes& adaptationField, const Bytes& payload,
                             std::uint8_t counter) {
    Bytes packet = packetHeader(pid, unitStart, 0x3, counter);
    packet.push_back(static_cast<std::uint8_t>(adaptationField.size()));
    append(packet, adaptationField);
    append(packet, payload);
    return padded(packet);
}

Bytes pcrPacket(std::uint16_t pid, std::int64_t pcr) {
    const auto base = static_cast<std::uint64_t>(pcr / 300);  // 33 bits
    const auto extension = static_cast<std::uint32_t>(pcr % 300);
    Bytes packet = packetHeader(pid, false, 0x2, 0);
    packet.push_back(183);   // adaptation_field_length: the rest of the packet
    packet.push_back(0x10);  // PCR_flag
    // program_clock_reference_base, 6 reserved bits (1), program_clock_reference_extension.
    const std::uint64_t field = (base << 15) | (std::uint64_t{0x3F} << 9) | extension;
    for (int shift = 40; shift >= 0; shift -= 8) packet.push_back(static_cast<std::uint8_t>(field >> shift));
    return padded(packet);
}

Bytes payloadPacket(std::uint16_t pid, std::uint32_t seed) {
    Bytes payload;
    for (std::uint32_t i = 0; i < 184; ++i)
        payload.push_back(static_cast<std::uint8_t>((seed * 31 + i * 7) ^ (seed >> 8)));
    return tsPacket(pid, false, payload, static_cast<std::uint8_t>(seed));
}

std::vector<Bytes> sectionPackets(std::uint16_t pid, const Bytes& section, std::size_t firstChunk) {
    const std::size_t first = std::min(firstChunk == 0 ? kTsPacketSize - kHeaderSize - 1 : firstChunk, section.size());
    std::vector<Bytes> packets;
    Bytes payload{0x00};  // pointer_field
    payload.insert(payload.end(), section.begin(), section.begin() + static_cast<std::ptrdiff_t>(first));
    packets.push_back(tsPacket(pid, true, payload, 0));
    for (std::size_t at = first; at < section.size(); at += kTsPacketSize - kHeaderSize) {
        const std::size_t end = std::min(at + kTsPacketSize - kHeaderSize, section.size());
        packets.push_back(tsPacket(pid, false,
                                   Bytes(section.begin() + static_cast<std::ptrdiff_t>(at),
                                         section.begin() + static_cast<std::ptrdiff_t>(end)),
                                   static_cast<std::uint8_t>(packets.size())));
    }
    return packets;
}

void append(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

void append(Bytes& out, const std::vector<Bytes>& packets) {
    for (const Bytes& packet : packets) append(out, packet);
}

Bytes joined(std::initializer_list<std::span<const std::uint8_t>> parts) {
    std::size_t size = 0;
    for (const std::span<const std::uint8_t> part : parts) size += part.size();
    Bytes out(size);
    std::size_t at = 0;
    for (const std::span<const std::uint8_t> part : parts) {
        if (part.empty()) continue;
        std::memcpy(out.data() + at, part.data(), part.size());
        at += part.size();
    }
    return out;
}

Bytes withHeader(std::uint32_t header, const Bytes& ts) {
    // Sized once and filled in place: growing a four-byte vector by insertion makes GCC 12 at -O3
    // see a copy from a region it believes empty (-Wstringop-overread).
    Bytes out(kTimeStampSize + ts.size());
    for (std::size_t i = 0; i < kTimeStampSize; ++i) out[i] = static_cast<std::uint8_t>(header >> (24 - 8 * i));
    if (!ts.empty()) std::memcpy(out.data() + kTimeStampSize, ts.data(), ts.size());
    return out;
}

std::int64_t bd192ArrivalTime(const std::uint8_t* header) { return be32(header) & 0x3FFFFFFFu; }

std::int32_t fw192Cycle(const std::uint8_t* header) { return static_cast<std::int32_t>((be32(header) >> 12) & 0x1FFF); }

std::int32_t fw192Offset(const std::uint8_t* header) { return static_cast<std::int32_t>(be32(header) & 0x0FFF); }

std::optional<std::int64_t> packetPcr(const std::uint8_t* packet, std::uint16_t pid) {
    const unsigned packetPid = ((packet[1] & 0x1Fu) << 8) | packet[2];
    const bool adaptationField = (packet[3] & 0x20) != 0;
    if (packetPid != pid || !adaptationField || packet[4] == 0 || (packet[5] & 0x10) == 0) return std::nullopt;
    std::uint64_t field = 0;  // the 48 bits of program_clock_reference
    for (int i = 6; i < 12; ++i) field = (field << 8) | packet[i];
    const std::uint64_t base = field >> 15;
    const std::uint64_t extension = field & 0x1FF;
    return static_cast<std::int64_t>(base * 300 + extension);
}

}  // namespace ts_streams
