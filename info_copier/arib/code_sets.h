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
    kHiragana = 0x30,
    kKatakana = 0x31,
    kMosaicA = 0x32,
    kMosaicB = 0x33,
    kMosaicC = 0x34,
    kMosaicD = 0x35,
    kProportionalAlphanumeric = 0x36,
    kProportionalHiragana = 0x37,
    kProportionalKatakana = 0x38,
    kJisKanjiPlane1 = 0x39,
    kJisKanjiPlane2 = 0x3A,
    kAdditionalSymbols = 0x3B,
    kDrcs0 = 0x40,
    kKanji = 0x42,
    kJisX0201Katakana = 0x49,
    kAlphanumeric = 0x4A,
    kDrcs1 = 0x51,
    kDrcs2 = 0x52,
    kDrcs3 = 0x53,
    kDrcs4 = 0x54,
    kDrcs5 = 0x55,
    kDrcs6 = 0x56,
    kDrcs7 = 0x57,
    kDrcs8 = 0x58,
    kDrcs9 = 0x59,
    kDrcs10 = 0x5A,
    kDrcs11 = 0x5B,
    kDrcs12 = 0x5C,
    kDrcs13 = 0x5D,
    kDrcs14 = 0x5E,
    kDrcs15 = 0x5F,
    kMacro = 0x80,
};

// Offset between a one-byte DRCS or macro final byte and its stored identifier.
inline constexpr std::uint8_t kOneByteDrcsOffset = 0x10;

constexpr bool isTwoByteSet(CodeSet set) {
    switch (set) {
        case CodeSet::kKanji:
        case CodeSet::kJisKanjiPlane1:
        case CodeSet::kJisKanjiPlane2:
        case CodeSet::kAdditionalSymbols:
        case CodeSet::kDrcs0: return true;
        default: return false;
    }
}

// Decodes one character of a graphic set other than the macro set. `bytes` starts at the
// character and holds all that is left of the input; the result is the number of bytes the
// character takes (a two-byte character cut by the end of the input produces nothing).
std::size_t decodeGraphicCharacter(CodeSet set, std::span<const std::uint8_t> bytes, const DecodingIndexes& indexes,
                                   DecoderOutput& output);

}  // namespace arib
