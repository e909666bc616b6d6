#include "psi/section_collector.h"

#include <algorithm>
#include <cstring>

#include "io/block.h"
#include "psi/crc32.h"

namespace korvet {

namespace {

constexpr std::int32_t kSectionHeaderBytes = 3;  // table_id and the 12-bit section_length

}  // namespace

std::span<const std::uint8_t> SectionCollector::add(std::span<const std::uint8_t> chunk, ChunkKind kind) {
    if (kind == ChunkKind::Begin) {
        // A section start always begins a new section; an unfinished one is dropped.
        collecting_ = true;
        stored_ = 0;
        total_ = 0;
    } else if (!collecting_) {
        return {};  // the tail of a section whose start we never saw
    }
    if (total_ == 0 && stored_ + static_cast<std::int32_t>(chunk.size()) >= kSectionHeaderBytes) {
        const std::int32_t missing = kSectionHeaderBytes - stored_;
        std::memcpy(buffer_.data() + stored_, chunk.data(), static_cast<std::size_t>(missing));
        stored_ = kSectionHeaderBytes;
        chunk = chunk.subspan(static_cast<std::size_t>(missing));
        total_ = wholeSectionLength(buffer_);
        if (total_ > kSectionBufferSize) {
            collecting_ = false;
            return {};
        }
    }
    // Bytes beyond the section's declared end are not needed.
    const std::int32_t limit = total_ == 0 ? kSectionHeaderBytes : total_;
    const std::int32_t take = std::min(static_cast<std::int32_t>(chunk.size()), limit - stored_);
    if (take > 0) std::memcpy(buffer_.data() + stored_, chunk.data(), static_cast<std::size_t>(take));
    stored_ += std::max(take, 0);
    if (total_ == 0 || stored_ < total_) return {};
    collecting_ = false;
    return std::span<const std::uint8_t>(buffer_.data(), static_cast<std::size_t>(total_));
}

CollectStatus collectSection(PacketReader& reader, SectionCollector& collector, std::uint32_t pid,
                             std::span<const std::uint8_t>& section) {
    collector.reset();
    for (;;) {
        const std::uint8_t* packet = nullptr;
        const ReadStatus status = reader.nextPacket(packet);
        if (status == ReadStatus::End) return CollectStatus::End;
        if (status == ReadStatus::Failed) return CollectStatus::Failed;
        // The TS packet is the last 188 bytes of a 188- or 192-byte packet; the reader has
        // checked its sync byte.
        const std::span<const std::uint8_t> ts(packet + reader.packetSize() - kTsPacketSize, kTsPacketSize);
        if (packetPid(ts) != pid) continue;
        const bool found = walkSectionChunks(ts, [&](std::span<const std::uint8_t> chunk, ChunkKind kind) {
            const std::span<const std::uint8_t> complete = collector.add(chunk, kind);
            if (complete.empty() || sectionCrc32(complete) != 0) return false;
            section = complete;
            return true;
        });
        if (found) return CollectStatus::Found;
    }
}

}  // namespace korvet
