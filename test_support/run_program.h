// Runs a program with arguments and collects what it prints, the same way on POSIX systems
// (posix_spawn) and on Windows (CreateProcessW): the arguments reach the program one by one,
// unchanged, with no shell in between.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct RunResult {
    int status = -1;     // exit status, or -1 when the program did not exit normally
    std::string output;  // standard output and standard error, as the program wrote them
};

// With `fileSizeLimit` above 0 the program may not write past that many bytes of any file
// (a write beyond it fails), which lets a test provoke a failing save; only where
// fileSizeLimitSupported().
RunResult runProgram(const std::string& program, const std::vector<std::string>& args, std::int64_t fileSizeLimit = 0);
// Windows has no per-process limit on file sizes.
bool fileSizeLimitSupported();

// A fresh directory under the test temp directory.
std::string makeTempDir(const char* prefix);

}  // namespace testing_support
