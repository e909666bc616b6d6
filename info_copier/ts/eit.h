// Event information table: the present event of an EIT section into the record.
#pragma once

#include <cstdint>

#include "rpls/program_info.h"
#include "ts/ext_text_assembly.h"
#include "ts/section_buffer.h"

namespace ts {

// Fills date, times, channel number, title, description, extended description and genres
// from the section's events (a later event overwrites an earlier one). Answers service_id.
std::uint16_t parseEventSection(const SectionView& eit, rpls::ProgramInfo& info, ExtTextAssembly& assembly);

}  // namespace ts
