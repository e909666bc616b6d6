#pragma once

#include "platform/file.h"
#include "rpls/program_info.h"

namespace ts {

// Fills `info` with the programme information of a TS file of `packetSize`-byte packets
// (188 or 192), scanning from `readStartPercent` of the file. Answers true when it found
// programme information; the record is untouched otherwise. Leaves the file open.
bool readTsInfo(rpls::ProgramInfo& info, platform::File& source, int packetSize, int readStartPercent);

struct TsInfoWorkspace;  // ts/ts_info_workspace.h

// The same with working memory that the caller allocated, so that a run reading many sources
// allocates it once (and its heap does not grow with the number of sources).
bool readTsInfo(rpls::ProgramInfo& info, platform::File& source, int packetSize, int readStartPercent,
                TsInfoWorkspace& workspace);

}  // namespace ts
