#pragma once

#include "app/convert_options.h"

namespace korvet {

// Fills `args` and `options` from the command line; false after printing one message.
bool parseCommandLine(int argc, const char* const* argv, ConvertArgs& args, ConvertOptions& options);

// Whether standard output is to carry packets or JSON (the output file is `-`, or --json is
// given), found before the command line is parsed, so that even its messages stay off it.
bool standardOutputCarriesData(int argc, const char* const* argv);

}  // namespace korvet
