#pragma once

#include "platform/file.h"
#include "rpls/byte_view.h"
#include "rpls/program_info.h"

namespace rpls {

enum class RplsReadResult {
    WithExtText,     // private block of layout 0x0108, the only one that carries an extended text
    WithoutExtText,  // any other layout, or none
    AllocationFailed,
    ReadFailed,
};

// Fills `info` from a whole RPLS image. Bytes beyond the image read as zero and lengths are
// clamped to their fields. Answers whether the image has layout 0x0108.
bool fillFromRplsImage(ConstByteView image, ProgramInfo& info);

// Reads the whole source file and fills `info` from it. Prints nothing.
RplsReadResult readRplsInfo(platform::File& source, ProgramInfo& info);

}  // namespace rpls
