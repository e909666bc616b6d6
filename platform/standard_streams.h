// Standard input and output as data streams: `-` for a program's input or output file, so that
// packets can come from a pipe and go into one.
#pragma once

#include "platform/file.h"

namespace platform {

// `file` takes a duplicate of the standard input (output) handle, switched to binary mode,
// buffered by the system; closing it leaves the standard handle itself alone. False when the
// process has none.
bool openStandardInput(File& file);
bool openStandardOutput(File& file);

// A write into a pipe whose reader has gone fails with an error (EPIPE) that the program reports,
// instead of ending the process without a word (SIGPIPE is ignored); nothing to do where the
// system has no such signal.
void ignoreBrokenPipeSignal();

}  // namespace platform
