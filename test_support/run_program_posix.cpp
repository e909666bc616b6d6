#include "test_support/run_program.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testing_support {

bool fileSizeLimitSupported() { return true; }

RunResult runProgram(const std::string& program, const std::vector<std::string>& args, std::int64_t fileSizeLimit) {
    RunResult result;
    std::vector<std::string> words;
    if (fileSizeLimit > 0) {
        // The shell sets the limit (in 512-byte units) and ignores SIGXFSZ, which stays ignored
        // across exec: a write beyond the limit then fails with EFBIG instead of ending the
        // program. "$0" and "$@" hand the program and its arguments on unchanged.
        words = {"/bin/sh", "-c",
                 "trap '' XFSZ; ulimit -f " + std::to_string((fileSizeLimit + 511) / 512) + " && exec \"$0\" \"$@\""};
    }
    words.push_back(program);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return result;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    ::posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    ::posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned == 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
            result.output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    if (spawned != 0) return result;
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

}  // namespace testing_support
