// Runs a program with arguments and collects its standard output and exit status.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct RunResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string output;
};

RunResult runProgram(const std::string& program, const std::vector<std::string>& args);

// A fresh directory under the test temp directory.
std::string makeTempDir(const char* prefix);

}  // namespace testing_support
