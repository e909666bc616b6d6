#include "psi/pat.h"

#include <algorithm>

namespace korvet {

std::int32_t parsePat(std::span<const std::uint8_t> section, std::span<std::uint32_t, kMaxPmtPids> pmtPids) {
    constexpr std::size_t kFirstEntry = 8;  // behind the 8-byte section header
    constexpr std::size_t kEntrySize = 4;
    if (section.size() < 3) return 0;
    const std::int32_t sectionLength = ((section[1] & 0x0F) << 8) | section[2];
    if (sectionLength - 1 <= 8) return 0;
    const std::int32_t entries = ((sectionLength - 10) >> 2) + 1;
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < entries && count < kMaxPmtPids; ++i) {
        const std::size_t at = kFirstEntry + static_cast<std::size_t>(i) * kEntrySize;
        if (at + kEntrySize > section.size()) break;
        const std::uint32_t programNumber = (static_cast<std::uint32_t>(section[at]) << 8) | section[at + 1];
        const std::uint32_t pid = (static_cast<std::uint32_t>(section[at + 2] & 0x1F) << 8) | section[at + 3];
        if (programNumber == 0) continue;  // the network PID
        const auto listed = pmtPids.first(static_cast<std::size_t>(count));
        if (std::find(listed.begin(), listed.end(), pid) != listed.end()) continue;
        pmtPids[static_cast<std::size_t>(count++)] = pid;
    }
    return count;
}

}  // namespace korvet
