#include "platform/console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdarg>
#include <cstdio>
#include <string>

// The messages are UTF-8 in the program. A console gets them as UTF-16 (WriteConsoleW), which
// shows the Japanese text whatever the console's code page. Redirected output gets bytes: in the
// system's code page where that is 932, as batch files on a Japanese system expect them, and
// UTF-8 everywhere else.
namespace platform {
namespace {

enum class Sink { Console, CodePage932, Utf8 };

struct Output {
    HANDLE handle = nullptr;
    Sink sink = Sink::Utf8;
    std::string pending;  // the start of a UTF-8 sequence that the next print completes
};

Output outputOn(DWORD which) {
    Output o;
    o.handle = ::GetStdHandle(which);
    DWORD mode = 0;
    if (o.handle != nullptr && o.handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(o.handle, &mode))
        o.sink = Sink::Console;
    else
        o.sink = ::GetACP() == 932 ? Sink::CodePage932 : Sink::Utf8;
    return o;
}

Output& output() {
    static Output out = outputOn(STD_OUTPUT_HANDLE);
    return out;
}

// Length of the longest prefix of `text` that ends on a whole UTF-8 character.
std::size_t wholeCharacters(const std::string& text) {
    std::size_t end = text.size();
    std::size_t back = 0;
    while (back < 3 && back < end && (static_cast<unsigned char>(text[end - 1 - back]) & 0xC0) == 0x80) ++back;
    if (back == end) return end;
    const auto lead = static_cast<unsigned char>(text[end - 1 - back]);
    const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return needed > back + 1 ? end - 1 - back : end;
}

std::wstring toUtf16(const char* text, std::size_t length) {
    if (length == 0) return {};
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), wide.data(), units);
    return wide;
}

void writeBytes(HANDLE handle, const char* bytes, std::size_t length) {
    while (length > 0) {
        DWORD put = 0;
        if (!::WriteFile(handle, bytes, static_cast<DWORD>(length), &put, nullptr) || put == 0) return;
        bytes += put;
        length -= put;
    }
}

void writeText(Output& out, const char* text, std::size_t length) {
    if (out.handle == nullptr || out.handle == INVALID_HANDLE_VALUE || length == 0) return;
    switch (out.sink) {
        case Sink::Utf8: writeBytes(out.handle, text, length); return;
        case Sink::Console: {
            const std::wstring wide = toUtf16(text, length);
            const wchar_t* units = wide.data();
            std::size_t left = wide.size();
            while (left > 0) {
                DWORD put = 0;
                if (!::WriteConsoleW(out.handle, units, static_cast<DWORD>(left), &put, nullptr) || put == 0) return;
                units += put;
                left -= put;
            }
            return;
        }
        case Sink::CodePage932: {
            const std::wstring wide = toUtf16(text, length);
            const int size =
                ::WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
            std::string bytes(static_cast<std::size_t>(size), '\0');
            ::WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size, nullptr,
                                  nullptr);
            writeBytes(out.handle, bytes.data(), bytes.size());
            return;
        }
    }
}

}  // namespace

void print(const char* format, ...) {
    Output& out = output();
    char local[1024];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(local, sizeof local, format, args);
    va_end(args);
    if (length < 0) return;
    std::string& text = out.pending;
    if (static_cast<std::size_t>(length) < sizeof local) {
        text.append(local, static_cast<std::size_t>(length));
    } else {
        const std::size_t start = text.size();
        text.resize(start + static_cast<std::size_t>(length) + 1);
        va_start(args, format);
        std::vsnprintf(text.data() + start, static_cast<std::size_t>(length) + 1, format, args);
        va_end(args);
        text.resize(start + static_cast<std::size_t>(length));
    }
    // Bytes go out with every print; only a character cut by the end of this print waits.
    const std::size_t whole = out.sink == Sink::Utf8 ? text.size() : wholeCharacters(text);
    writeText(out, text.data(), whole);
    text.erase(0, whole);
}

void flushConsole() {
    Output& out = output();
    writeText(out, out.pending.data(), out.pending.size());
    out.pending.clear();
    std::fflush(stdout);
}

void printToStandardError() {
    flushConsole();
    // Standard error gets what standard output got: the console's UTF-16, or bytes when redirected.
    output() = outputOn(STD_ERROR_HANDLE);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

void initConsole() {
    // Whatever goes through the C runtime keeps its line ends as they are ("\n", not "\r\n").
    ::_setmode(::_fileno(stdout), _O_BINARY);
    output();
}

}  // namespace platform
