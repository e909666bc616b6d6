#pragma once

#include "app/option_flags.h"

namespace app {

// Parses the arguments into the two records. On failure the one message has been printed.
bool parseCommandLine(int argc, const char* const* argv, OptionFlags& flags, ArgumentSlots& slots);

// Converts like the C library's atoi family, but saturating: leading white space, an optional
// sign, digits up to the first non-digit; no digits gives 0.
long long parseDecimal(const char* text);

}  // namespace app
