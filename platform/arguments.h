// The program's command-line arguments as UTF-8 text, in the argc/argv form that main receives.
#pragma once

#include <string>
#include <vector>

namespace platform {

class Arguments {
public:
    // On Windows the arguments are read again from the wide (UTF-16) command line, since the
    // 8-bit ones main receives have lost every character outside the system code page; on
    // POSIX systems main's arguments are UTF-8 already and are used as they are.
    Arguments(int argc, char** argv);
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    int count() const { return count_; }
    // argv style: values()[count()] is a null pointer.
    char** values() { return values_; }

private:
    int count_ = 0;
    char** values_ = nullptr;
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

}  // namespace platform
