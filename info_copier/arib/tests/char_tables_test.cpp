#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "arib/char_tables.h"
#include "arib/code_index.h"

namespace arib {
namespace {

constexpr CodeTable kAllCodeTables[] = {
    CodeTable::Kanji,     CodeTable::KanjiPreference, CodeTable::Plane1Extra,       CodeTable::Plane2,
    CodeTable::Hiragana,  CodeTable::Katakana,        CodeTable::HalfwidthKatakana, CodeTable::AdditionalSymbol,
    CodeTable::KanaCommon};

std::size_t countAbovePlane0(CodeTable table) {
    std::size_t count = 0;
    for (const auto& entry : entriesOf(table)) count += entry.unicode > 0xFFFF;
    return count;
}

TEST(CharTables, EntryCounts) {
    const std::pair<CodeTable, std::size_t> expected[] = {
        {CodeTable::Kanji, 6879},   {CodeTable::KanjiPreference, 9},    {CodeTable::Plane1Extra, 1893},
        {CodeTable::Plane2, 2436},  {CodeTable::Hiragana, 91},          {CodeTable::Katakana, 94},
        {CodeTable::KanaCommon, 6}, {CodeTable::HalfwidthKatakana, 63}, {CodeTable::AdditionalSymbol, 268},
    };
    for (auto [table, count] : expected) EXPECT_EQ(entriesOf(table).size(), count) << static_cast<int>(table);
    EXPECT_EQ(entriesOf(SequenceTable::Plane1Sequence).size(), 25u);
    EXPECT_EQ(entriesOf(SequenceTable::SymbolString).size(), 36u);
    EXPECT_EQ(countAbovePlane0(CodeTable::Plane1Extra), 26u);
    EXPECT_EQ(countAbovePlane0(CodeTable::Plane2), 277u);
    EXPECT_EQ(countAbovePlane0(CodeTable::AdditionalSymbol), 6u);
    EXPECT_EQ(countAbovePlane0(CodeTable::Kanji), 0u);
}

TEST(CharTables, OrderedByCodeWithNoCodeOrValueTwice) {
    for (CodeTable table : kAllCodeTables) {
        auto entries = entriesOf(table);
        std::set<std::uint32_t> values;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            std::uint32_t code = entries[i].code;
            if (i > 0) {
                EXPECT_LT(entries[i - 1].code, code) << static_cast<int>(table);
            }
            bool oneByte = code <= 0xFF;
            std::uint32_t first = code >> 8, second = code & 0xFF;
            EXPECT_TRUE(second >= 0x21 && second <= 0x7E && (oneByte || (first >= 0x21 && first <= 0x7E)));
            EXPECT_NE(entries[i].unicode, 0u);
            EXPECT_LE(entries[i].unicode, 0x10FFFFu);
            EXPECT_TRUE(values.insert(entries[i].unicode).second) << std::hex << entries[i].unicode;
        }
    }
    for (SequenceTable table : {SequenceTable::Plane1Sequence, SequenceTable::SymbolString}) {
        auto entries = entriesOf(table);
        for (std::size_t i = 1; i < entries.size(); ++i) EXPECT_LT(entries[i - 1].code, entries[i].code);
    }
}

TEST(CharTables, Plane1ExtraRowCounts) {
    std::map<int, int> rows;
    for (const auto& entry : plane1ExtraTable) ++rows[static_cast<int>(entry.code >> 8) - 0x20];
    std::map<int, int> expected = {{2, 41},  {3, 32},  {4, 3},   {6, 45},  {7, 28},  {8, 52},  {9, 94}, {10, 94},
                                   {11, 83}, {12, 85}, {13, 77}, {14, 94}, {15, 94}, {47, 43}, {84, 88}};
    for (int row = 85; row <= 94; ++row) expected[row] = 94;
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(plane1ExtraTable[0].code, 0x222Fu);
    EXPECT_EQ(plane1ExtraTable[0].unicode, 0xFF07u);
    EXPECT_EQ(plane1ExtraTable[1].unicode, 0xFF02u);
    EXPECT_EQ(plane1ExtraTable[2].unicode, 0xFF0Du);
    EXPECT_EQ(plane1ExtraTable[3].unicode, 0xFF5Eu);
    // JIS X 0213:2004 additions.
    for (std::uint32_t code : {0x2E21u, 0x2F7Eu, 0x4F54u, 0x4F7Eu, 0x7427u, 0x7E7Au, 0x7E7Eu})
        EXPECT_NE(unicodeForCode(CodeTable::Plane1Extra, code), 0u) << std::hex << code;
}

TEST(CharTables, Plane1IsCoveredOnceAsAWhole) {
    std::set<std::uint32_t> codes;
    std::size_t total = 0;
    for (const auto& entry : kanjiTable) codes.insert(entry.code), ++total;
    for (const auto& entry : plane1ExtraTable) codes.insert(entry.code), ++total;
    for (const auto& entry : plane1SequenceTable) codes.insert(entry.code), ++total;
    EXPECT_EQ(total, 8797u);
    EXPECT_EQ(codes.size(), 8797u);
    for (const auto& entry : kanjiTable) {
        int row = static_cast<int>(entry.code >> 8) - 0x20;
        EXPECT_TRUE((row >= 1 && row <= 8) || (row >= 16 && row <= 84)) << std::hex << entry.code;
    }
}

TEST(CharTables, StatedValues) {
    const std::pair<std::uint32_t, std::uint32_t> kanji[] = {
        {0x2131, 0x203E}, {0x213D, 0x2014}, {0x2140, 0xFF3C}, {0x2141, 0x301C}, {0x2142, 0x2016},
        {0x215D, 0x2212}, {0x216F, 0x00A5}, {0x2171, 0x00A2}, {0x2172, 0x00A3}, {0x224C, 0x00AC},
        {0x3021, 0x4E9C}, {0x2422, 0x3042}, {0x2341, 0xFF21}};
    for (auto [code, unicode] : kanji) EXPECT_EQ(unicodeForCode(CodeTable::Kanji, code), unicode) << std::hex << code;
    EXPECT_EQ(unicodeForCode(CodeTable::Kanji, 0x222F), 0u);  // untagged, yet not JIS X 0208
    EXPECT_EQ(unicodeForCode(CodeTable::Plane1Extra, 0x2256), 0xFF5Fu);
    EXPECT_EQ(unicodeForCode(CodeTable::Plane1Extra, 0x2257), 0xFF60u);
    EXPECT_EQ(unicodeForCode(CodeTable::Plane1Extra, 0x7A50), 0x8160u);
    EXPECT_EQ(unicodeForCode(CodeTable::Plane2, 0x2121), 0x20089u);

    const std::pair<std::uint32_t, std::uint32_t> preferred[] = {{0x2131, 0xFFE3}, {0x213D, 0x2015}, {0x2141, 0xFF5E},
                                                                 {0x2142, 0x2225}, {0x215D, 0xFF0D}, {0x216F, 0xFFE5},
                                                                 {0x2171, 0xFFE0}, {0x2172, 0xFFE1}, {0x224C, 0xFFE2}};
    for (auto [code, unicode] : preferred) EXPECT_EQ(unicodeForCode(CodeTable::KanjiPreference, code), unicode);

    for (std::uint32_t code = 0x21; code <= 0x7E; ++code) {
        std::uint32_t hiragana = code <= 0x73 ? 0x3041 + code - 0x21 : 0;
        std::uint32_t katakana = code <= 0x76 ? 0x30A1 + code - 0x21 : 0;
        if (code == 0x77) hiragana = 0x309D, katakana = 0x30FD;
        if (code == 0x78) hiragana = 0x309E, katakana = 0x30FE;
        std::uint32_t common = unicodeForCode(CodeTable::KanaCommon, code);
        EXPECT_EQ(common != 0, code >= 0x79);
        if (code >= 0x79) hiragana = katakana = common;
        EXPECT_EQ(unicodeForCode(CodeTable::Hiragana, code), hiragana) << std::hex << code;
        EXPECT_EQ(unicodeForCode(CodeTable::Katakana, code), katakana) << std::hex << code;
        EXPECT_EQ(unicodeForCode(CodeTable::HalfwidthKatakana, code), code <= 0x5F ? 0xFF61 + code - 0x21 : 0);
    }
    const std::uint32_t common[] = {0x30FC, 0x3002, 0x300C, 0x300D, 0x3001, 0x30FB};
    for (std::uint32_t i = 0; i < 6; ++i) EXPECT_EQ(codeForUnicode(CodeTable::KanaCommon, common[i]), 0x79 + i);

    const std::pair<std::uint32_t, std::uint32_t> symbols[] = {
        {0x7521, 0x3402}, {0x7522, 0x20158}, {0x757E, 0x4103}, {0x7621, 0x9FC5}, {0x764B, 0x9EB5}, {0x7A4D, 0x2491},
        {0x7C2B, 0x33A1}, {0x7C77, 0x00A9},  {0x7D21, 0x322A}, {0x7D7B, 0x260E}, {0x7E21, 0x2160}, {0x7E7D, 0x325B}};
    for (auto [code, unicode] : symbols) EXPECT_EQ(unicodeForCode(CodeTable::AdditionalSymbol, code), unicode);
    const int perRow[][2] = {{85, 90}, {86, 35}, {90, 3}, {92, 25}, {93, 48}, {94, 67}};
    for (auto [row, count] : perRow) {
        int found = 0;
        for (const auto& entry : additionalSymbolTable) found += static_cast<int>(entry.code >> 8) - 0x20 == row;
        EXPECT_EQ(found, count) << row;
    }
}

std::u16string charactersOf(const SequenceEntry& entry) {
    return std::u16string(entry.characters, static_cast<std::size_t>(sequenceLength(entry)));
}

TEST(CharTables, SequenceTables) {
    const SequenceEntry* ka = sequenceForCode(SequenceTable::Plane1Sequence, 0x2477);
    ASSERT_NE(ka, nullptr);
    EXPECT_EQ(charactersOf(*ka), u"\u304B\u309A");
    EXPECT_EQ(charactersOf(*sequenceForCode(SequenceTable::Plane1Sequence, 0x2B66)), u"\u02E5\u02E9");
    EXPECT_EQ(charactersOf(*sequenceForCode(SequenceTable::Plane1Sequence, 0x2678)), u"\u31F7\u309A");
    EXPECT_EQ(sequenceForCode(SequenceTable::Plane1Sequence, 0x2476), nullptr);
    for (const auto& entry : plane1SequenceTable) EXPECT_EQ(sequenceLength(entry), 2);
    EXPECT_EQ(charactersOf(*sequenceForCode(SequenceTable::SymbolString, 0x7A50)), u"[HV]");
    EXPECT_EQ(charactersOf(*sequenceForCode(SequenceTable::SymbolString, 0x7A74)), u"[ほか]");
    EXPECT_EQ(charactersOf(*sequenceForCode(SequenceTable::SymbolString, 0x7C7A)), u"[演]");
    EXPECT_EQ(sequenceForCode(SequenceTable::SymbolString, 0x7A60), nullptr);
}

struct MatchCase {
    SequenceTable table;
    std::u16string text;
    std::uint32_t code;
    int length;
};

TEST(CharTables, MatchSequenceAtPosition) {
    const MatchCase cases[] = {
        {SequenceTable::SymbolString, u"[ほか]です", 0x7A74, 4},
        {SequenceTable::SymbolString, u"[HV]", 0x7A50, 4},
        {SequenceTable::SymbolString, u"[PPV][S]", 0x7A72, 5},
        {SequenceTable::SymbolString, u"[P]", 0x7A52, 3},
        {SequenceTable::SymbolString, u"[S]", 0x7A59, 3},
        {SequenceTable::SymbolString, u"[SS]", 0x7A5D, 4},
        {SequenceTable::SymbolString, u"[X]", 0, 0},
        {SequenceTable::SymbolString, u"[HV", 0, 0},  // cut by the end of the text
        {SequenceTable::SymbolString, u"[", 0, 0},
        {SequenceTable::SymbolString, u"", 0, 0},
        {SequenceTable::Plane1Sequence, u"\u304B\u309Aa", 0x2477, 2},
        {SequenceTable::Plane1Sequence, u"\u304B", 0, 0},
        {SequenceTable::Plane1Sequence, u"\u304B\u3099", 0, 0},
        {SequenceTable::Plane1Sequence, u"\u02E9\u02E5", 0x2B65, 2},
    };
    for (const auto& c : cases) {
        SequenceMatch match = matchSequenceAt(c.table, c.text);
        EXPECT_EQ(match.code, c.code) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(match.length, c.length);
    }
    // Every entry is found from its own text.
    for (SequenceTable table : {SequenceTable::Plane1Sequence, SequenceTable::SymbolString})
        for (const auto& entry : entriesOf(table)) {
            std::u16string text = charactersOf(entry);
            EXPECT_EQ(matchSequenceAt(table, text).code, entry.code);
        }
}

TEST(CharTables, LookUpByCharacterReversesEveryTable) {
    for (CodeTable table : kAllCodeTables)
        for (const auto& entry : entriesOf(table))
            ASSERT_EQ(codeForUnicode(table, entry.unicode), entry.code) << static_cast<int>(table);
    EXPECT_EQ(codeForUnicode(CodeTable::Kanji, 0x4E02), 0u);  // plane 2, not JIS X 0208
    EXPECT_EQ(codeForUnicode(CodeTable::Hiragana, 0x30FC), 0x79u);
}

TEST(CharTables, KanjiSetOrders) {
    EXPECT_EQ(plane1UnicodeForCode(0x2131), 0xFFE3u);  // preferred form first
    EXPECT_EQ(kanjiCodeForUnicode(0xFFE3), 0x2131u);
    EXPECT_EQ(kanjiCodeForUnicode(0x203E), 0x2131u);
    EXPECT_EQ(kanjiCodeForUnicode(0xFF5E), 0x2141u);  // not 0x2232 of plane1ExtraTable
    EXPECT_EQ(codeForUnicode(CodeTable::Plane1Extra, 0xFF5E), 0x2232u);
    EXPECT_EQ(kanjiCodeForUnicode(0x30FC), 0x213Cu);
    EXPECT_EQ(plane1UnicodeForCode(0x7A50), 0x8160u);
    EXPECT_EQ(additionalSymbolUnicodeForCode(0x7A50), 0u);  // a bracketed text instead
    EXPECT_EQ(additionalSymbolUnicodeForCode(0x2131), 0xFFE3u);
    EXPECT_EQ(additionalSymbolUnicodeForCode(0x3021), 0x4E9Cu);
    EXPECT_EQ(additionalSymbolUnicodeForCode(0x2E21), 0u);  // plane 1 addition: not in this set
    EXPECT_EQ(plane2UnicodeForCode(0x2121), 0x20089u);
    EXPECT_EQ(plane1UnicodeForCode(0x2477), 0u);  // a two-code-point position
    EXPECT_EQ(plane1UnicodeForCode(0x2120), 0u);
    EXPECT_EQ(plane1UnicodeForCode(0x7F21), 0u);
}

// The code-indexed decoding look-ups answer what the binary searches in set order answer.
TEST(CharTables, CodeIndexesAgreeWithOrderedSearch) {
    auto firstHit = [](std::uint32_t code, std::initializer_list<CodeTable> order) -> std::uint32_t {
        for (CodeTable table : order)
            if (std::uint32_t unicode = unicodeForCode(table, code)) return unicode;
        return 0;
    };
    for (std::uint32_t first = 0x20; first <= 0x7F; ++first)
        for (std::uint32_t second = 0x20; second <= 0x7F; ++second) {
            std::uint32_t code = first << 8 | second;
            ASSERT_EQ(plane1UnicodeForCode(code),
                      firstHit(code, {CodeTable::KanjiPreference, CodeTable::Kanji, CodeTable::Plane1Extra}));
            ASSERT_EQ(plane2UnicodeForCode(code), firstHit(code, {CodeTable::Plane2}));
            ASSERT_EQ(additionalSymbolUnicodeForCode(code),
                      firstHit(code, {CodeTable::AdditionalSymbol, CodeTable::KanjiPreference, CodeTable::Kanji}));
        }
    const DecodingIndexes& indexes = decodingIndexes();
    for (std::uint32_t code = 0; code < 128; ++code) {
        EXPECT_EQ(indexes.hiragana[code], unicodeForCode(CodeTable::Hiragana, code));
        EXPECT_EQ(indexes.katakana[code], unicodeForCode(CodeTable::Katakana, code));
        EXPECT_EQ(indexes.halfwidthKatakana[code], unicodeForCode(CodeTable::HalfwidthKatakana, code));
        EXPECT_EQ(indexes.alphanumeric[code], code >= 0x21 && code <= 0x7E ? code : 0);
    }
}

}  // namespace
}  // namespace arib
