#pragma once

#include "platform/file.h"
#include "rpls/program_info.h"

namespace ts {

// Fills `info` with the programme information of a TS file of `packetSize`-byte packets
// (188 or 192), scanning from `readStartPercent` of the file. Answers true when it found
// programme information; the record is untouched otherwise. Leaves the file open.
bool readTsInfo(rpls::ProgramInfo& info, platform::File& source, int packetSize, int readStartPercent);

}  // namespace ts
