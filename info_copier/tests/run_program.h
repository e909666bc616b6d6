// Runs a program with arguments and collects its standard output and exit status.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct RunResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string output;
};

// With `fileSizeLimit` above 0 the program may not write past that many bytes of any file
// (a write beyond it fails), which lets a test provoke a failing save.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args, long fileSizeLimit = 0);

// A fresh directory under the test temp directory.
std::string makeTempDir(const char* prefix);

}  // namespace testing_support
