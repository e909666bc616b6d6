// Runs the built KORVET binary in a directory and captures what it prints.
#pragma once

#include <string>

namespace korvet::test {

struct ProgramRun {
    int status = -1;
    std::string output;
};

// `arguments` is appended to the binary's path as given (the caller quotes what needs it).
ProgramRun runKorvet(const std::string& arguments);
// The same with the size of the files it writes limited to `blocks` of the shell's `ulimit -f`
// units (512 or 1024 bytes), so that its writes fail beyond that.
ProgramRun runKorvetWithFileSizeLimit(const std::string& arguments, int blocks);

}  // namespace korvet::test
