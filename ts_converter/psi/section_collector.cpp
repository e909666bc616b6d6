#include "psi/section_collector.h"

#include "io/block.h"
#include "psi/crc32.h"

#include <algorithm>
#include <cstring>

namespace korvet {

namespace {

constexpr std::int32_t kSectionHeaderBytes = 3;  // table_id and the 12-bit section_length
constexpr std::uint8_t kStuffing = 0xFF;

std::int32_t sectionTotalLength(const std::uint8_t* header) {
    return (((header[1] & 0x0F) << 8) | header[2]) + kSectionHeaderBytes;
}

}  // namespace

bool SectionCollector::append(std::span<const std::uint8_t> chunk) {
    // Bytes beyond the section's declared end are not needed; a section longer than the
    // buffer cannot be a valid PAT or PMT and is dropped.
    if (total_ == 0 && stored_ + static_cast<std::int32_t>(chunk.size()) >= kSectionHeaderBytes) {
        const std::int32_t missing = kSectionHeaderBytes - stored_;
        std::memcpy(buffer_.data() + stored_, chunk.data(), static_cast<std::size_t>(missing));
        stored_ = kSectionHeaderBytes;
        chunk = chunk.subspan(static_cast<std::size_t>(missing));
        total_ = sectionTotalLength(buffer_.data());
        if (total_ > kSectionBufferSize) {
            collecting_ = false;
            return false;
        }
    }
    const std::int32_t limit = total_ == 0 ? kSectionHeaderBytes : total_;
    const std::int32_t take = std::min(static_cast<std::int32_t>(chunk.size()), limit - stored_);
    if (take > 0) std::memcpy(buffer_.data() + stored_, chunk.data(), static_cast<std::size_t>(take));
    stored_ += std::max(take, 0);
    if (total_ == 0 || stored_ < total_) return false;
    if (sectionCrc32(std::span<const std::uint8_t>(buffer_.data(), static_cast<std::size_t>(total_))) == 0) return true;
    collecting_ = false;
    return false;
}

bool SectionCollector::startSection(std::span<const std::uint8_t> chunk) {
    // A section start always begins a new section; an unfinished one is dropped.
    collecting_ = true;
    stored_ = 0;
    total_ = 0;
    return append(chunk);
}

bool SectionCollector::continueSection(std::span<const std::uint8_t> chunk) {
    if (!collecting_) return false;
    return append(chunk);
}

bool SectionCollector::walkPacket(std::span<const std::uint8_t> ts, bool unitStart, std::int32_t position) {
    const auto chunkAt = [&](std::int32_t at, std::int32_t length) {
        const std::int32_t available = kTsPacketSize - at;
        return ts.subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(std::min(length, available)));
    };
    if (!unitStart) return continueSection(chunkAt(position, kTsPacketSize));

    const std::int32_t pointerField = ts[static_cast<std::size_t>(position)];
    ++position;
    if (pointerField != 0 && position < kTsPacketSize) {
        // The tail of a section begun in an earlier packet.
        if (continueSection(chunkAt(position, pointerField))) return true;
    }
    position += pointerField;
    while (position < kTsPacketSize) {
        if (ts[static_cast<std::size_t>(position)] == kStuffing) return false;
        // A start whose length field lies beyond this packet takes the rest of the packet and
        // is completed from the next one.
        const std::int32_t length = position + kSectionHeaderBytes <= kTsPacketSize
                                        ? sectionTotalLength(ts.data() + position)
                                        : kTsPacketSize - position;
        if (startSection(chunkAt(position, length))) return true;
        position += length;
    }
    return false;
}

CollectStatus SectionCollector::collect(std::uint32_t pid, std::int32_t& length) {
    collecting_ = false;
    stored_ = 0;
    total_ = 0;
    for (;;) {
        const std::uint8_t* packet = nullptr;
        const ReadStatus status = reader_.nextPacket(packet);
        if (status == ReadStatus::End) return CollectStatus::End;
        if (status == ReadStatus::Failed) return CollectStatus::Failed;
        // The TS packet is the last 188 bytes of a 188- or 192-byte packet; the reader has
        // checked its sync byte.
        const std::span<const std::uint8_t> ts(packet + reader_.packetSize() - kTsPacketSize, kTsPacketSize);
        const std::uint32_t packetPid = (static_cast<std::uint32_t>(ts[1] & 0x1F) << 8) | ts[2];
        if (packetPid != pid) continue;
        const bool unitStart = (ts[1] & 0x40) != 0;
        std::int32_t payloadStart = 4;
        if ((ts[3] & 0x20) != 0) payloadStart += ts[4] + 1;
        if (payloadStart >= kTsPacketSize) continue;
        if (walkPacket(ts, unitStart, payloadStart)) {
            length = total_;
            return CollectStatus::Found;
        }
    }
}

}  // namespace korvet
