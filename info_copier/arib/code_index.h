// Code-indexed arrays for decoding: for every code of a set, the first hit of the set's table
// order (0 when no table holds it), so a look-up is one memory access that answers exactly
// what the binary searches in that order answer. Built once, on first use.
#pragma once

#include <array>
#include <cstdint>

namespace arib {

inline constexpr int kCellsPerRow = 94;

struct DecodingIndexes {
    // Two-byte sets, by (first - 0x21) * 94 + (second - 0x21).
    std::array<std::uint32_t, kCellsPerRow * kCellsPerRow> plane1{};            // kanji and JIS plane 1
    std::array<std::uint32_t, kCellsPerRow * kCellsPerRow> plane2{};            // JIS plane 2
    std::array<std::uint32_t, kCellsPerRow * kCellsPerRow> additionalSymbol{};  // additional symbols
    // One-byte sets, by 7-bit code.
    std::array<std::uint32_t, 128> hiragana{};
    std::array<std::uint32_t, 128> katakana{};
    std::array<std::uint32_t, 128> halfwidthKatakana{};
    std::array<std::uint32_t, 128> alphanumeric{};  // the code itself, 0x21..0x7E
};

// The same, in 16 bits and holding only characters of one unit (0 for the few above U+FFFF),
// for the common path of the decoder. Two-byte sets are laid out by the 7-bit values of both
// bytes, (first << 7) | second, with 0 wherever a byte lies outside 0x21..0x7E: a character is
// one look-up with no range check and no multiplication.
inline constexpr int kWideSlots = 128 * 128;

struct SingleUnitIndexes {
    std::array<std::uint16_t, kWideSlots> plane1{};
    std::array<std::uint16_t, kWideSlots> plane2{};
    std::array<std::uint16_t, kWideSlots> additionalSymbol{};
    std::array<std::uint16_t, 128> hiragana{};
    std::array<std::uint16_t, 128> katakana{};
    std::array<std::uint16_t, 128> halfwidthKatakana{};
    std::array<std::uint16_t, 128> alphanumeric{};
    std::array<std::uint16_t, kWideSlots> none{};  // all zero: sets of no single look-up, of either shape
    // The one-byte sets again, laid out like the two-byte sets, each code at code << 7: a
    // character's slot is then (first << 7) | second for both shapes, with the second byte
    // masked out for one-byte sets.
    std::array<std::uint16_t, kWideSlots> hiraganaRows{};
    std::array<std::uint16_t, kWideSlots> katakanaRows{};
    std::array<std::uint16_t, kWideSlots> halfwidthKatakanaRows{};
    std::array<std::uint16_t, kWideSlots> alphanumericRows{};
    // Additional symbols written as bracketed text: 1 + the entry's position in the symbol
    // string table, by the same slot as `additionalSymbol` (0 where that has the character).
    std::array<std::uint8_t, kWideSlots> additionalSymbolText{};
};

const DecodingIndexes& decodingIndexes();
const SingleUnitIndexes& singleUnitIndexes();

// The one-byte sets of the single-unit indexes.
enum class OneByteKind : std::uint8_t { None, Alphanumeric, Hiragana, Katakana, HalfwidthKatakana };
inline constexpr int kOneByteKinds = 5;

// Where both halves hold one-byte sets every byte is a character of its own: the unit of every
// byte value for one pair of such sets, the left set's at 0x21..0x7E, the right set's at
// 0xA1..0xFE, a space at 0x20 (SP), and 0 wherever the byte needs more than one look-up.
using OneBytePairTable = std::array<std::uint16_t, 256>;
const OneBytePairTable& oneBytePairTable(OneByteKind left, OneByteKind right);

// Index of a two-byte code, or -1 when a byte lies outside 0x21..0x7E.
constexpr int twoByteSlot(std::uint32_t code) {
    std::uint32_t first = code >> 8, second = code & 0xFF;
    if (first < 0x21 || first > 0x7E || second < 0x21 || second > 0x7E) return -1;
    return static_cast<int>((first - 0x21) * kCellsPerRow + (second - 0x21));
}

}  // namespace arib
