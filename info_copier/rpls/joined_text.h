#pragma once

#include "rpls/byte_view.h"
#include "rpls/private_block.h"
#include "rpls/program_info.h"

namespace rpls {

// Writes the source's description and extended description, joined by an empty line, as
// one description into the image's text area. Layout 0x0108 is left with no extended text.
void joinDescriptionTexts(ByteView image, const PrivateBlock& block, const ProgramInfo& info);

}  // namespace rpls
