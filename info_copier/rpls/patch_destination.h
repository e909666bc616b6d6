#pragma once

#include "common/option_flags.h"
#include "rpls/byte_view.h"
#include "rpls/program_info.h"

namespace rpls {

// True when the image can take the patch: it holds all the fixed fields, and a private block
// of a known layout lies inside it as far as the patch writes.
bool isPatchableImage(ConstByteView image);

// Writes the selected field groups of `info` into the destination image, in place. The
// image keeps its size; bytes outside the selected fields are left as they are.
// `sourceHasExtText` is false when the source was an RPLS file without an extended text.
void patchDestination(ByteView image, const ProgramInfo& info, const common::OptionFlags& flags, bool sourceHasExtText);

}  // namespace rpls
