// Cuts the payload of one TS packet into section chunks: the tail of a section that began in
// an earlier packet (continuation) and the sections that begin in this one (beginning).
// KORVET cuts its packets the same way (ts_converter/psi/packet_walk.h); the programs share
// no code.
#pragma once

#include <cstdint>
#include <span>

#include "ts/section_collector.h"
#include "ts/ts_reader.h"

namespace ts {

inline constexpr std::uint16_t kPidPat = 0x0000;
inline constexpr std::uint16_t kPidSdt = 0x0011;
inline constexpr std::uint16_t kPidEit = 0x0012;
inline constexpr std::uint16_t kPidSit = 0x001F;

// `packet` is the 188-byte TS packet, starting at its sync byte.
inline std::uint16_t packetPid(const std::uint8_t* packet) {
    return static_cast<std::uint16_t>((packet[1] & 0x1F) << 8 | packet[2]);
}

// Hands each chunk to `take(chunk, kind)`, which answers true to end the walk. Answers true
// when `take` ended it. No chunk reaches beyond the packet, and no byte outside it is read.
template <typename Take>
bool walkSectionChunks(const std::uint8_t* packet, Take&& take) {
    constexpr int kEnd = kTsPacketSize;
    const bool unitStart = (packet[1] & 0x40) != 0;
    const int adaptation = (packet[3] & 0x20) ? packet[4] + 1 : 0;
    int off = 4 + adaptation;
    if (off >= kEnd) return false;
    const int pointer = unitStart ? packet[off] : 0;

    bool firstChunk = true;
    while (off < kEnd) {
        int length = 0;
        ChunkKind kind = ChunkKind::Continuation;
        if (!unitStart) {
            length = kEnd - off;
        } else if (firstChunk) {
            firstChunk = false;
            ++off;  // the pointer_field
            if (pointer == 0) continue;
            length = pointer < kEnd - off ? pointer : kEnd - off;
            if (length == 0) break;
        } else {
            if (packet[off] == 0xFF) break;  // stuffing: no further section in this packet
            kind = ChunkKind::Begin;
            const int rest = kEnd - off;
            // A section that begins in the last one or two bytes has no readable length yet.
            length = rest;
            if (rest > 2) {
                const int whole = wholeSectionLength(SectionView(packet + off, static_cast<std::size_t>(rest)));
                if (whole < rest) length = whole;
            }
        }
        if (take(std::span<const std::uint8_t>(packet + off, static_cast<std::size_t>(length)), kind)) return true;
        off += length;
    }
    return false;
}

}  // namespace ts
