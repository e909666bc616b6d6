// Console output. Message texts are UTF-8 in the source; on Linux they go out unchanged.
#pragma once

namespace platform {

// printf-style output to standard output.
void print(const char* format, ...) __attribute__((format(printf, 1, 2)));
void flushConsole();
// Prepares the console for the Japanese messages (locale, output coding).
void initConsole();
// From now on every print goes to standard error, which leaves standard output to data (packets
// through a pipe, a report for a script).
void printToStandardError();

}  // namespace platform
