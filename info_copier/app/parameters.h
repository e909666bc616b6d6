#pragma once

#include "common/option_flags.h"
#include "rpls/program_info.h"

namespace app {

// Fills the record from the parameter options' values. On failure the one message has
// been printed.
bool applyParameters(rpls::ProgramInfo& info, const common::ArgumentSlots& slots, const char* const* argv,
                     const common::OptionFlags& flags);

}  // namespace app
