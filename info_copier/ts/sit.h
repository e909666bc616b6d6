// Selection information table: the service and event of a partial TS, from its SIT section,
// into the record. Two forms are known, told apart by the network identification descriptor.
#pragma once

#include "rpls/program_info.h"
#include "ts/ext_text_assembly.h"
#include "ts/section_buffer.h"

namespace ts {

void parseSelectionSection(const SectionView& sit, rpls::ProgramInfo& info, ExtTextAssembly& assembly);

}  // namespace ts
