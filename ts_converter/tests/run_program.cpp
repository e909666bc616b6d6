#include "run_program.h"

#include <sys/wait.h>
#include <array>
#include <cstdio>

namespace korvet::test {

namespace {

ProgramRun runCommand(const std::string& command) {
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> chunk{};
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) run.output.append(chunk.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

ProgramRun runKorvet(const std::string& arguments) {
    return runCommand(std::string("'") + KORVET_BINARY + "' " + arguments + " 2>&1");
}

ProgramRun runKorvetWithFileSizeLimit(const std::string& arguments, int blocks) {
    // An ignored SIGXFSZ stays ignored across exec: a write beyond the limit then fails (EFBIG).
    return runCommand("trap '' XFSZ; ulimit -f " + std::to_string(blocks) + "; exec '" + KORVET_BINARY + "' " +
                      arguments + " 2>&1");
}

}  // namespace korvet::test
