#include "platform/console.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>

namespace platform {

namespace {

bool toStandardError = false;

std::FILE* messageStream() { return toStandardError ? stderr : stdout; }

}  // namespace

void print(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(messageStream(), format, args);
    va_end(args);
}

void flushConsole() { std::fflush(messageStream()); }

void initConsole() { std::setlocale(LC_ALL, ""); }

void printToStandardError() {
    std::fflush(stdout);
    toStandardError = true;
}

}  // namespace platform
