// The service scan: from a position in the file onwards, the first SDT (actual) section that
// lists a given service.
#pragma once

#include <cstdint>

#include "platform/file.h"
#include "ts/scan_workspace.h"
#include "ts/section_buffer.h"

namespace ts {

// Answers true when such a section was found; it is then copied whole to the start of
// `result`, which is not written otherwise.
bool findServiceSection(platform::File& file, int packetSize, SectionBuffer& result, std::uint16_t serviceId,
                        int readStartPercent, ScanWorkspace& workspace);

}  // namespace ts
