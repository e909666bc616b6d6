// Runs the built KORVET binary in a directory and captures what it prints.
#pragma once

#include <cstdint>
#include <string>

namespace korvet::test {

struct ProgramRun {
    int status = -1;
    std::string output;
};

// `arguments` are separated by spaces; a name in double quotes is one argument.
ProgramRun runKorvet(const std::string& arguments);
// The same with the size of the files it writes limited to `bytes`, so that its writes fail
// beyond that (only where testing_support::fileSizeLimitSupported()).
ProgramRun runKorvetWithFileSizeLimit(const std::string& arguments, std::int64_t bytes);

}  // namespace korvet::test
