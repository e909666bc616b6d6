// Gathers the section of one PID from the chunks that the packet walk cuts out of TS
// payloads. tolvane's collector has the same shape (info_copier/ts/section_collector.h); the
// programs share no code.
#pragma once

#include <cstdint>
#include <span>

#include "io/packet_reader.h"
#include "psi/packet_walk.h"
#include "psi/section_buffer.h"

namespace korvet {

class SectionCollector {
public:
    void reset() {
        collecting_ = false;
        stored_ = 0;
        total_ = 0;
    }

    // Takes one chunk. Answers the whole section (header through CRC_32) once it is complete,
    // an empty span otherwise. A completed section ends the collection either way: the caller
    // accepts it or drops it, and the next section starts with a beginning chunk. Only the
    // section's own bytes are stored, and a section longer than the buffer, which cannot be
    // a valid PAT or PMT, is dropped as soon as its length is known.
    std::span<const std::uint8_t> add(std::span<const std::uint8_t> chunk, ChunkKind kind);

    bool collecting() const { return collecting_; }

private:
    bool collecting_ = false;
    std::int32_t stored_ = 0;
    std::int32_t total_ = 0;  // section_length + 3; 0 while the first three bytes are incomplete
    SectionBuffer buffer_{};
};

enum class CollectStatus { Found, End, Failed };

// Reads packets until a complete, CRC-valid section on `pid` is collected (Found, the section
// in `section`, valid until the collector's next use), the input ends (End) or a read fails
// (Failed, message printed). The collection starts afresh on every call.
CollectStatus collectSection(PacketReader& reader, SectionCollector& collector, std::uint32_t pid,
                             std::span<const std::uint8_t>& section);

}  // namespace korvet
