#include "platform/console.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>

namespace platform {

void print(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
}

void flushConsole() { std::fflush(stdout); }

void initConsole() { std::setlocale(LC_ALL, ""); }

}  // namespace platform
