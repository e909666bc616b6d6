#include "run_program.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace korvet::test {

ProgramRun runKorvet(const std::string& arguments) {
    ProgramRun run;
    const std::string command = std::string("'") + KORVET_BINARY + "' " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> chunk{};
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) run.output.append(chunk.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace korvet::test
