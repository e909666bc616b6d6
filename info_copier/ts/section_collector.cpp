#include "ts/section_collector.h"

#include <cstring>

namespace ts {

std::span<const std::uint8_t> SectionCollector::add(std::span<const std::uint8_t> chunk, ChunkKind kind) {
    if (kind == ChunkKind::Begin) {
        buffer_.fill(0);
        collected_ = 0;
        collecting_ = true;
    } else if (!collecting_) {
        return {};  // the tail of a section whose start we never saw
    }
    // A section is complete at most 4098 + 183 bytes after it began, so this never cuts
    // anything in a well-formed stream; it only keeps the buffer's bounds unconditional.
    const std::size_t room = buffer_.size() - static_cast<std::size_t>(collected_);
    const std::size_t take = chunk.size() < room ? chunk.size() : room;
    if (take != 0) std::memcpy(buffer_.data() + collected_, chunk.data(), take);
    collected_ += static_cast<int>(take);

    const int whole = wholeSectionLength(viewOf(buffer_));
    if (collected_ < whole) return {};
    collecting_ = false;
    return {buffer_.data(), static_cast<std::size_t>(whole)};
}

}  // namespace ts
