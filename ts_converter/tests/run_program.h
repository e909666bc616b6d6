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

}  // namespace korvet::test
