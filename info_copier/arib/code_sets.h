// Graphic sets of the ARIB 8-unit code, identified by the final byte of their designation.
// One-byte DRCS sets and the macro set are stored as final byte + 0x10, so that DRCS-2, DRCS-9
// and DRCS-10 (final bytes 0x42, 0x49, 0x4A) differ from kanji, JIS X 0201 katakana and
// alphanumeric.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "arib/code_index.h"
#include "arib/decoder_output.h"

namespace arib {

enum class CodeSet : std::uint8_t {
    hiragana = 0x30,
    katakana = 0x31,
    mosaicA = 0x32,
    mosaicB = 0x33,
    mosaicC = 0x34,
    mosaicD = 0x35,
    proportionalAlphanumeric = 0x36,
    proportionalHiragana = 0x37,
    proportionalKatakana = 0x38,
    jisKanjiPlane1 = 0x39,
    jisKanjiPlane2 = 0x3A,
    additionalSymbols = 0x3B,
    drcs0 = 0x40,
    kanji = 0x42,
    jisX0201Katakana = 0x49,
    alphanumeric = 0x4A,
    drcs1 = 0x51,
    drcs2 = 0x52,
    drcs3 = 0x53,
    drcs4 = 0x54,
    drcs5 = 0x55,
    drcs6 = 0x56,
    drcs7 = 0x57,
    drcs8 = 0x58,
    drcs9 = 0x59,
    drcs10 = 0x5A,
    drcs11 = 0x5B,
    drcs12 = 0x5C,
    drcs13 = 0x5D,
    drcs14 = 0x5E,
    drcs15 = 0x5F,
    macro = 0x80,
};

// Offset between a one-byte DRCS or macro final byte and its stored identifier.
inline constexpr std::uint8_t oneByteDrcsOffset = 0x10;

constexpr bool isTwoByteSet(CodeSet set) {
    switch (set) {
        case CodeSet::kanji:
        case CodeSet::jisKanjiPlane1:
        case CodeSet::jisKanjiPlane2:
        case CodeSet::additionalSymbols:
        case CodeSet::drcs0: return true;
        default: return false;
    }
}

// Decodes one character of a graphic set other than the macro set. `bytes` starts at the
// character and holds all that is left of the input; the result is the number of bytes the
// character takes (a two-byte character cut by the end of the input produces nothing).
std::size_t decodeGraphicCharacter(CodeSet set, std::span<const std::uint8_t> bytes, const DecodingIndexes& indexes,
                                   DecoderOutput& output);

}  // namespace arib
