#pragma once

namespace app {

inline constexpr int kExpandedTextCapacity = 65536;

// Copies `length` units of `text` into `out` (room for kExpandedTextCapacity units),
// replacing every backslash followed by 'n' with CR LF. Units beyond the capacity are
// dropped; a terminating 0 follows when there is room. Answers the units stored.
int expandLineBreaks(const char16_t* text, int length, char16_t* out);

}  // namespace app
