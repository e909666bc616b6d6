// The number readings of the command line. All of them saturate on overflow, so that a value
// beyond the 32-bit range fails the caller's range test instead of wrapping into it.
#pragma once

namespace app {

// Signed decimal: leading white space, an optional sign, digits up to the first non-digit;
// no digits gives 0.
long long parseDecimal(const char* text);

// Signed number whose base follows its prefix: 0x or 0X hexadecimal, another leading 0
// octal, otherwise decimal. Leading white space and a sign are allowed.
long long parsePrefixed(const char* text);

// Reads `count` (at most 3) decimal numbers separated by `separator`, as the formatted scan
// "%d<sep>%d<sep>%d" does: white space before each number is skipped, each number needs at
// least one digit, the separator must follow directly, text after the last number is
// ignored. Answers false unless all `count` numbers were read.
bool scanSeparatedNumbers(const char* text, char separator, int count, long long* values);

}  // namespace app
