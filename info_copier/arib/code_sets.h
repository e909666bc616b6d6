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
    Hiragana = 0x30,
    Katakana = 0x31,
    MosaicA = 0x32,
    MosaicB = 0x33,
    MosaicC = 0x34,
    MosaicD = 0x35,
    ProportionalAlphanumeric = 0x36,
    ProportionalHiragana = 0x37,
    ProportionalKatakana = 0x38,
    JisKanjiPlane1 = 0x39,
    JisKanjiPlane2 = 0x3A,
    AdditionalSymbols = 0x3B,
    Drcs0 = 0x40,
    Kanji = 0x42,
    JisX0201Katakana = 0x49,
    Alphanumeric = 0x4A,
    Drcs1 = 0x51,
    Drcs2 = 0x52,
    Drcs3 = 0x53,
    Drcs4 = 0x54,
    Drcs5 = 0x55,
    Drcs6 = 0x56,
    Drcs7 = 0x57,
    Drcs8 = 0x58,
    Drcs9 = 0x59,
    Drcs10 = 0x5A,
    Drcs11 = 0x5B,
    Drcs12 = 0x5C,
    Drcs13 = 0x5D,
    Drcs14 = 0x5E,
    Drcs15 = 0x5F,
    Macro = 0x80,
};

// Offset between a one-byte DRCS or macro final byte and its stored identifier.
inline constexpr std::uint8_t kOneByteDrcsOffset = 0x10;

constexpr bool isTwoByteSet(CodeSet set) {
    switch (set) {
        case CodeSet::Kanji:
        case CodeSet::JisKanjiPlane1:
        case CodeSet::JisKanjiPlane2:
        case CodeSet::AdditionalSymbols:
        case CodeSet::Drcs0: return true;
        default: return false;
    }
}

// Decodes one character of a graphic set other than the macro set. `bytes` starts at the
// character and holds all that is left of the input; the result is the number of bytes the
// character takes (a two-byte character cut by the end of the input produces nothing).
std::size_t decodeGraphicCharacter(CodeSet set, std::span<const std::uint8_t> bytes, const DecodingIndexes& indexes,
                                   DecoderOutput& output);

}  // namespace arib
