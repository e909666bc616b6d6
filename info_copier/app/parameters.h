#pragma once

#include "app/option_flags.h"
#include "rpls/program_info.h"

namespace app {

// Fills the record from the parameter options' values. On failure the one message has
// been printed.
bool applyParameters(rpls::ProgramInfo& info, const ArgumentSlots& slots, const char* const* argv,
                     const OptionFlags& flags);

}  // namespace app
