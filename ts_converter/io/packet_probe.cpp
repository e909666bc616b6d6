#include "io/packet_probe.h"

#include "io/block.h"

namespace korvet {

std::int64_t findPacketStart(std::span<const std::uint8_t> data, bool wholeFile, std::int32_t packetSize) {
    const auto size = static_cast<std::size_t>(packetSize);
    const std::size_t syncOffset = size - static_cast<std::size_t>(kTsPacketSize);
    const std::size_t window = syncOffset + 2 * size + 1;
    if (data.size() < window) {
        if (!wholeFile || data.size() < size) return -1;
        for (std::size_t at = 0; at + size <= data.size(); at += size)
            if (data[at + syncOffset] != kSyncByte) return -1;
        return 0;
    }
    for (std::size_t at = 0; at + window <= data.size(); ++at) {
        const std::size_t sync = at + syncOffset;
        if (data[sync] == kSyncByte && data[sync + size] == kSyncByte && data[sync + 2 * size] == kSyncByte)
            return static_cast<std::int64_t>(at);
    }
    return -1;
}

}  // namespace korvet

namespace korvet {

std::int32_t detectPacketSize(std::span<const std::uint8_t> data, bool wholeFile) {
    const std::int64_t at188 = findPacketStart(data, wholeFile, kTsPacketSize);
    const std::int64_t at192 = findPacketStart(data, wholeFile, kTimestampedPacketSize);
    if (at188 < 0 && at192 < 0) return 0;
    if (at192 < 0 || (at188 >= 0 && at188 <= at192)) return kTsPacketSize;
    return kTimestampedPacketSize;
}

}  // namespace korvet
