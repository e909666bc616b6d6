// Classification of UTF-16 text for the encoder: which character set codes the character at a
// position, with which code, and how many UTF-16 units it takes.
#pragma once

#include <cstdint>

namespace arib {

// The values are the final bytes of the designation sequences of the sets, so a class names the
// set that codes the character. The two values below 0x20 are not sets.
enum class CharClass : std::uint8_t {
    None = 0,            // no set codes the character: it is dropped
    ControlOrSpace = 1,  // code point 0x20 or less
    KanaCommon = 2,      // one of the six symbols that both kana sets hold
    Hiragana = 0x30,
    Katakana = 0x31,
    Plane1 = 0x39,  // JIS compatible Kanji Plane 1
    Plane2 = 0x3A,  // JIS compatible Kanji Plane 2
    AdditionalSymbol = 0x3B,
    Kanji = 0x42,
    HalfwidthKatakana = 0x49,  // JIS X 0201 katakana
    Alphanumeric = 0x4A,
};

constexpr std::uint8_t finalByte(CharClass charClass) { return static_cast<std::uint8_t>(charClass); }

struct ClassifiedCharacter {
    CharClass charClass = CharClass::None;
    // One-byte sets: 0x21..0x7E. Two-byte sets: (first << 8) | second, both in 0x21..0x7E.
    // ControlOrSpace: the code point itself. None: 0.
    std::uint16_t code = 0;
    int units = 1;           // UTF-16 units consumed, at least 1
    char32_t codePoint = 0;  // the character read at the position
};

// Classifies the character at `position` (below `srcLength`). Reads nothing at or beyond
// `srcLength`.
ClassifiedCharacter classifyCharacter(const char16_t* src, int srcLength, int position);

constexpr bool isKanaClass(CharClass charClass) {
    return charClass == CharClass::Hiragana || charClass == CharClass::Katakana;
}

}  // namespace arib
