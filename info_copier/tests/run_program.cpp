#include "tests/run_program.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

namespace testing_support {

RunResult runProgram(const std::string& program, const std::vector<std::string>& args, long fileSizeLimit) {
    RunResult result;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], 1);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        if (fileSizeLimit > 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const struct rlimit limit = {static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

std::string makeTempDir(const char* prefix) {
    std::string pattern = ::testing::TempDir() + prefix + "_XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return ::testing::TempDir();
    return pattern;
}

}  // namespace testing_support
