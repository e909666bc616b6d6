// Class and code of every character of the Basic Multilingual Plane in one direct-indexed array,
// derived once, on first use, from the character tables in the order that settles characters
// held by several tables. It answers exactly what the look-ups by character in that order
// answer, with one memory access.
#pragma once

#include <cstdint>

#include "arib/char_class.h"

namespace arib {

struct IndexedCharacter {
    // Roles in the plane 1 positions that stand for several code points.
    static constexpr std::uint8_t kStartsSequence = 1;     // the first unit of one of them
    static constexpr std::uint8_t kContinuesSequence = 2;  // the second unit of one of them

    CharClass charClass;
    std::uint8_t sequenceRoles;
    std::uint16_t code;  // 0 for CharClass::None

    bool mayStartSequence() const { return (sequenceRoles & kStartsSequence) != 0; }
    bool mayContinueSequence() const { return (sequenceRoles & kContinuesSequence) != 0; }
};

// The array for U+0000..U+FFFF (built on the first call).
const IndexedCharacter* basicPlaneIndex();

// The kanji-set code of a character of the hiragana or katakana set; 0 for any other.
std::uint16_t kanjiCodeOfKana(char32_t codePoint);

// Look-up of one code point (any value; the array covers U+0000..U+FFFF, the rest is searched
// in the tables).
IndexedCharacter indexedCharacter(char32_t codePoint);

}  // namespace arib
