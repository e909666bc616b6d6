// The event scan: from a position in the file onwards, the first EIT present section of the
// first programme that the PAT lists, or the first selection information section.
#pragma once

#include <cstdint>

#include "platform/file.h"
#include "ts/scan_workspace.h"
#include "ts/section_buffer.h"

namespace ts {

// The values are the PIDs that carry the tables.
enum class EventScanResult : std::uint16_t { Eit = 0x0012, Sit = 0x001F, NotFound = 0xFFFF };

// Scans from `readStartPercent` of the file to its end at most. On success the accepted
// section is copied whole to the start of `result`, which is not written otherwise.
EventScanResult findEventSection(platform::File& file, int packetSize, SectionBuffer& result, int readStartPercent,
                                 ScanWorkspace& workspace);

}  // namespace ts
