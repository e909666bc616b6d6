#pragma once

#include "common/option_flags.h"

namespace app {

// Parses the arguments into the two records. On failure the one message has been printed.
bool parseCommandLine(int argc, const char* const* argv, common::OptionFlags& flags, common::ArgumentSlots& slots);

}  // namespace app
