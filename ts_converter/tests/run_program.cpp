#include "run_program.h"

#include "test_support/run_program.h"

#include <vector>

namespace korvet::test {

namespace {

// Splits the argument text at spaces; a part in double quotes stays one argument.
std::vector<std::string> words(const std::string& arguments) {
    std::vector<std::string> result;
    std::string word;
    bool quoted = false;
    bool any = false;
    for (const char c : arguments) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) result.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) result.push_back(word);
    return result;
}

ProgramRun run(const std::string& arguments, std::int64_t fileSizeLimit) {
    const testing_support::RunResult result =
        testing_support::runProgram(KORVET_BINARY, words(arguments), fileSizeLimit);
    return ProgramRun{result.status, result.output};
}

}  // namespace

ProgramRun runKorvet(const std::string& arguments) { return run(arguments, 0); }

ProgramRun runKorvetWithFileSizeLimit(const std::string& arguments, std::int64_t bytes) {
    return run(arguments, bytes);
}

}  // namespace korvet::test
