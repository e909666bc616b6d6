// Class and code of every character of the Basic Multilingual Plane in one direct-indexed array,
// derived once, on first use, from the character tables in the order that settles characters
// held by several tables. It answers exactly what the look-ups by character in that order
// answer, with one memory access.
#pragma once

#include <cstdint>

#include "arib/char_class.h"

namespace arib {

struct IndexedCharacter {
    CharClass charClass;
    bool startsSequence;   // the first unit of a plane 1 position that stands for two code points
    std::uint16_t code;    // 0 for CharClass::None
};

// The array for U+0000..U+FFFF (built on the first call).
const IndexedCharacter* basicPlaneIndex();

// Look-up of one code point (any value; the array covers U+0000..U+FFFF, the rest is searched
// in the tables).
IndexedCharacter indexedCharacter(char32_t codePoint);

}  // namespace arib
