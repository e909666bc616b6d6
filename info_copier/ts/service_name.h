// The channel name of a service from an SDT section.
#pragma once

#include <cstdint>

#include "rpls/program_info.h"
#include "ts/section_buffer.h"

namespace ts {

// Applies the service descriptors of the first entry for `serviceId`; without one, nothing
// changes.
void parseServiceName(std::uint16_t serviceId, const SectionView& sdt, rpls::ProgramInfo& info);

}  // namespace ts
