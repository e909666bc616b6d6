#include "psi/pat.h"

#include <algorithm>

#include "psi/field_cursor.h"

namespace korvet {

std::int32_t parsePat(std::span<const std::uint8_t> section, std::span<std::uint32_t, kMaxPmtPids> pmtPids) {
    constexpr std::size_t kEntrySize = 4;
    FieldCursor c(section);
    const std::int32_t sectionLength = readSectionHeader(c);
    if (sectionLength - 1 <= 8) return 0;
    // (section_length - 9) / 4 for a well-formed section: the entries between header and CRC_32.
    const std::int32_t entries = ((sectionLength - 10) >> 2) + 1;
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < entries && count < kMaxPmtPids && c.has(kEntrySize); ++i) {
        const std::uint16_t programNumber = c.u16();
        c.bits(3);  // reserved
        const std::uint32_t pid = c.bits(13);
        if (programNumber == 0) continue;  // the network PID
        const auto listed = pmtPids.first(static_cast<std::size_t>(count));
        if (std::find(listed.begin(), listed.end(), pid) != listed.end()) continue;
        pmtPids[static_cast<std::size_t>(count++)] = pid;
    }
    return count;
}

}  // namespace korvet
