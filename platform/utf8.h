// Conversion of command-line text (UTF-8 on Linux) to the UTF-16 that the text coder takes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Converts a NUL-terminated UTF-8 string into UTF-16 units (supplementary characters as
// surrogate pairs). Answers the number of units, or -1 when the text is not valid UTF-8
// (bad sequence, overlong form, surrogate code point, beyond U+10FFFF) or needs more than
// `capacity` units. Nothing is terminated.
std::int64_t utf8ToUtf16(const char* text, char16_t* out, std::size_t capacity);

// Converts UTF-16 units into UTF-8 for the console. A lone surrogate becomes U+FFFD. Stops
// before a character that would not fit in `capacity` bytes; answers the bytes written.
std::size_t utf16ToUtf8(const char16_t* units, std::size_t count, char* out, std::size_t capacity);

}  // namespace platform
