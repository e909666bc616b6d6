// `KORVET --check INPUT`: reads a recording of 188- or 192-byte packets once, writes nothing,
// and reports its drops, transport errors and scrambled packets per PID.
#pragma once

#include "app/convert_options.h"

namespace korvet {

// Exit status of a check: the stream is clean, or it is not, or it could not be read.
inline constexpr int kCheckClean = 0;
inline constexpr int kCheckFailed = 1;
inline constexpr int kCheckFoundProblems = 2;

int checkRecording(const char* inputName, const ConvertArgs& args, const ConvertOptions& options);

}  // namespace korvet
