// Cuts the payload of one TS packet into section chunks: the tail of a section that began in
// an earlier packet (continuation) and the sections that begin in this one (beginning).
// tolvane cuts its packets the same way (info_copier/ts/packet_walk.h); the programs share
// no code.
#pragma once

#include <cstdint>
#include <span>

#include "io/block.h"
#include "psi/section_buffer.h"

namespace korvet {

enum class ChunkKind { Begin, Continuation };

// `packet` is the 188-byte TS packet, starting at its sync byte.
inline std::uint32_t packetPid(std::span<const std::uint8_t> packet) {
    return (static_cast<std::uint32_t>(packet[1] & 0x1F) << 8) | packet[2];
}

// Hands each chunk to `take(chunk, kind)`, which answers true to end the walk. Answers true
// when `take` ended it. No chunk reaches beyond the packet, and no byte outside it is read.
template <typename Take>
bool walkSectionChunks(std::span<const std::uint8_t> packet, Take&& take) {
    constexpr std::int32_t kEnd = kTsPacketSize;
    constexpr std::uint8_t kStuffing = 0xFF;
    const bool unitStart = (packet[1] & 0x40) != 0;
    const std::int32_t adaptation = (packet[3] & 0x20) ? packet[4] + 1 : 0;
    std::int32_t off = 4 + adaptation;
    if (off >= kEnd) return false;
    const auto at = [&](std::int32_t offset) { return packet[static_cast<std::size_t>(offset)]; };
    const std::int32_t pointer = unitStart ? at(off) : 0;

    bool firstChunk = true;
    while (off < kEnd) {
        std::int32_t length = 0;
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
            if (at(off) == kStuffing) break;  // no further section in this packet
            kind = ChunkKind::Begin;
            const std::int32_t rest = kEnd - off;
            // A section that begins in the last one or two bytes has no readable length yet.
            length = rest;
            if (rest > 2) {
                const std::int32_t whole = wholeSectionLength(packet.subspan(static_cast<std::size_t>(off)));
                if (whole < rest) length = whole;
            }
        }
        if (take(packet.subspan(static_cast<std::size_t>(off), static_cast<std::size_t>(length)), kind)) return true;
        off += length;
    }
    return false;
}

}  // namespace korvet
