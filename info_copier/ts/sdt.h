// Service description table: the services of a transport stream and their descriptors.
#pragma once

#include <cstdint>
#include <optional>

#include "rpls/program_info.h"
#include "ts/section_buffer.h"

namespace ts {

// Where a descriptor loop lies in its section: [start, end).
struct LoopRange {
    std::uint64_t start;
    std::uint64_t end;
};

// The descriptor loop of the first service entry for `serviceId`, or none when the section's
// service loop does not hold it. The table_id is not looked at.
std::optional<LoopRange> findServiceLoop(const SectionView& sdt, std::uint16_t serviceId);

// Applies the service descriptors of the first entry for `serviceId`; without one, nothing
// changes.
void parseServiceName(std::uint16_t serviceId, const SectionView& sdt, rpls::ProgramInfo& info);

}  // namespace ts
