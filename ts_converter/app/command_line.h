#pragma once

#include "app/convert_options.h"

namespace korvet {

// Fills `args` and `options` from the command line; false after printing one message.
bool parseCommandLine(int argc, const char* const* argv, ConvertArgs& args, ConvertOptions& options);

}  // namespace korvet
