// Gathers the section of one PID from the chunks that the packet walk cuts out of TS
// payloads. KORVET's collector has the same shape (ts_converter/psi/section_collector.h); the
// programs share no code.
#pragma once

#include <cstdint>
#include <span>

#include "ts/section_buffer.h"

namespace ts {

enum class ChunkKind { Begin, Continuation };

class SectionCollector {
public:
    void reset() {
        collecting_ = false;
        collected_ = 0;
    }

    // Takes one chunk. Answers the whole section (header through CRC_32) once it is complete,
    // an empty span otherwise. A completed section ends the collection either way: the caller
    // accepts it or drops it, and the next section starts with a beginning chunk.
    std::span<const std::uint8_t> add(std::span<const std::uint8_t> chunk, ChunkKind kind);

    bool collecting() const { return collecting_; }

private:
    bool collecting_ = false;
    int collected_ = 0;
    SectionBuffer buffer_;
};

}  // namespace ts
