// Character tables of the ARIB 8-unit code and their look-ups in both directions.
//
// A code is the 7-bit code of a one-byte set (0x21..0x7E), or (first << 8) | second for a
// two-byte set, both bytes in 0x21..0x7E (row = first - 0x20, cell = second - 0x20).
// Every CodeMapEntry table is stored in ascending order of code; no table holds a code or a
// Unicode value twice. Look-ups by code search the tables as stored; look-ups by character
// search a character-ordered copy that each table gets on its first look-up by character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace arib {

struct CodeMapEntry {
    std::uint32_t code;
    std::uint32_t unicode;  // a Unicode scalar value, never 0
};

inline constexpr int kMaxSequenceUnits = 16;

// A code that stands for more than one character.
struct SequenceEntry {
    std::uint16_t code;
    char16_t characters[kMaxSequenceUnits];  // zero-terminated unless all 16 units are used
};

inline constexpr std::size_t kKanjiTableSize = 6879;
inline constexpr std::size_t kKanjiPreferenceTableSize = 9;
inline constexpr std::size_t kPlane1ExtraTableSize = 1893;
inline constexpr std::size_t kPlane1SequenceTableSize = 25;
inline constexpr std::size_t kPlane2TableSize = 2436;
inline constexpr std::size_t kHiraganaTableSize = 91;
inline constexpr std::size_t kKatakanaTableSize = 94;
inline constexpr std::size_t kKanaCommonTableSize = 6;
inline constexpr std::size_t kHalfwidthKatakanaTableSize = 63;
inline constexpr std::size_t kAdditionalSymbolTableSize = 268;
inline constexpr std::size_t kSymbolStringTableSize = 36;

// JIS X 0213:2004 (generated from the published mapping, char_tables_generated.cpp).
extern const CodeMapEntry kanjiTable[kKanjiTableSize];              // JIS X 0208 positions of plane 1
extern const CodeMapEntry plane1ExtraTable[kPlane1ExtraTableSize];  // the rest of plane 1, one code point each
extern const CodeMapEntry plane2Table[kPlane2TableSize];            // plane 2
// Written out by hand (char_tables_small.cpp).
extern const CodeMapEntry kanjiPreferenceTable[kKanjiPreferenceTableSize];  // preferred forms, before kanjiTable
extern const SequenceEntry plane1SequenceTable[kPlane1SequenceTableSize];   // plane 1 positions of two code points
extern const CodeMapEntry hiraganaTable[kHiraganaTableSize];
extern const CodeMapEntry katakanaTable[kKatakanaTableSize];
extern const CodeMapEntry kanaCommonTable[kKanaCommonTableSize];  // the six symbols both kana sets hold
extern const CodeMapEntry halfwidthKatakanaTable[kHalfwidthKatakanaTableSize];
extern const CodeMapEntry additionalSymbolTable[kAdditionalSymbolTableSize];
extern const SequenceEntry symbolStringTable[kSymbolStringTableSize];  // additional symbols as bracketed text

enum class CodeTable {
    Kanji,
    KanjiPreference,
    Plane1Extra,
    Plane2,
    Hiragana,
    Katakana,
    KanaCommon,
    HalfwidthKatakana,
    AdditionalSymbol,
};

enum class SequenceTable {
    Plane1Sequence,
    SymbolString,
};

std::span<const CodeMapEntry> entriesOf(CodeTable table);
std::span<const SequenceEntry> entriesOf(SequenceTable table);

// Number of units of an entry's characters (up to kMaxSequenceUnits).
int sequenceLength(const SequenceEntry& entry);

// By code (decoding): the Unicode value the table holds for `code`, or 0.
std::uint32_t unicodeForCode(CodeTable table, std::uint32_t code);
// By character (encoding): the code the table holds for `unicode`, or 0.
std::uint32_t codeForUnicode(CodeTable table, std::uint32_t unicode);

// By code (decoding): the entry's zero-terminated characters, or nullptr.
const SequenceEntry* sequenceForCode(SequenceTable table, std::uint32_t code);

struct SequenceMatch {
    std::uint32_t code = 0;
    int length = 0;  // units of the text taken by the entry; 0 when nothing matches
};
// By text (encoding): the entry whose whole characters `text` begins with. Reads nothing
// beyond the end of `text`.
SequenceMatch matchSequenceAt(SequenceTable table, std::span<const char16_t> text);

// Look-ups in the orders both codec directions share.
// Kanji set by character: kanjiPreferenceTable, then kanjiTable; 0 when neither holds it.
std::uint32_t kanjiCodeForUnicode(std::uint32_t unicode);
// Kanji set (and JIS compatible plane 1) by code: kanjiPreferenceTable, kanjiTable,
// plane1ExtraTable; 0 when none holds it (the code may still be in plane1SequenceTable).
std::uint32_t plane1UnicodeForCode(std::uint32_t code);
// JIS compatible plane 2 by code: plane2Table; 0 when it does not hold it.
std::uint32_t plane2UnicodeForCode(std::uint32_t code);
// Additional-symbol set by code: additionalSymbolTable, kanjiPreferenceTable, kanjiTable; 0
// when none holds it (the code may still be in symbolStringTable).
std::uint32_t additionalSymbolUnicodeForCode(std::uint32_t code);

}  // namespace arib
