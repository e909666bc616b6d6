// Worked examples of the encoder: exact byte sequences for each class of character, both
// strategies, the kana look-ahead, size controls and the choice between the strategies.
#include <gtest/gtest.h>

#include <vector>

#include "arib/arib_text.h"
#include "arib/char_class.h"
#include "arib/encoder_strategies.h"
#include "arib/kana_decision.h"
#include "arib/tests/encoder_test_support.h"

namespace arib {
namespace {

using test::Bytes;
using test::encodeWhole;

struct Example {
    const char* name;
    std::u16string text;
    bool sizeControls;
    Bytes expected;
};

void PrintTo(const Example& example, std::ostream* os) { *os << example.name; }

class EncodeExamples : public ::testing::TestWithParam<Example> {};

TEST_P(EncodeExamples, ProducesExpectedBytes) {
    const Example& example = GetParam();
    EXPECT_EQ(encodeWhole(encodeAribText, example.text, example.sizeControls), example.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Encoder, EncodeExamples,
    ::testing::Values(
        Example{"AsciiWithSizeControls", u"ABC", true, {0x0E, 0x89, 0x41, 0x42, 0x43}},
        Example{"AsciiWithoutSizeControls", u"ABC", false, {0x0E, 0x41, 0x42, 0x43}},
        Example{"KanjiNeedsNoDesignation", u"\u4E9C", true, {0x30, 0x21}},
        Example{"HiraganaThroughGR", u"\u3042", true, {0xA2}},
        Example{"FullwidthLatinIsKanjiSet", u"\uFF21", true, {0x23, 0x41}},
        Example{"HalfwidthKatakana", u"\uFF71", true, {0x0E, 0x89, 0x1B, 0x29, 0x49, 0x31}},
        Example{"SpaceInMiddleSize", u"\u4E9C \u4E9C", true, {0x30, 0x21, 0x89, 0x20, 0x8A, 0x30, 0x21}},
        Example{"SpaceWithoutSizeControls", u"\u4E9C \u4E9C", false, {0x30, 0x21, 0x20, 0x30, 0x21}},
        Example{"LoneKatakanaThroughKanji", u"\u30A2", true, {0x25, 0x22}},
        Example{
            "FiveKatakanaShiftGR", u"\u30A2\u30A4\u30A6\u30A8\u30AA", true, {0x1B, 0x7C, 0xA2, 0xA4, 0xA6, 0xA8, 0xAA}},
        Example{"KatakanaBetweenHiragana", u"\u3042\u30A2\u3042", true, {0xA2, 0x25, 0x22, 0xA2}},
        Example{
            "RunsTwoOneTwo", u"\u30A2\u30A2\u3042\u30A2\u30A2", true, {0x1B, 0x7C, 0xA2, 0xA2, 0x24, 0x22, 0xA2, 0xA2}},
        Example{"KanaCommonInEitherSet", u"\u30FC\u3002", true, {0xF9, 0xFA}}, Example{"LineFeed", u"\n", true, {0x0D}},
        Example{"CarriageReturnLineFeed", u"\r\n", true, {0x0D}}, Example{"Tab", u"\t", true, {0x09}},
        Example{"SymbolText", u"[HV]", true, {0x1B, 0x24, 0x3B, 0x7A, 0x50}},
        Example{"SymbolTextWithKana", u"[\u307B\u304B]", true, {0x1B, 0x24, 0x3B, 0x7A, 0x74}},
        Example{"RowCellText", u"[#90#01]", true, {0x1B, 0x24, 0x3B, 0x7A, 0x21}},
        Example{"RowZeroIsPlainText", u"[#00#01]", false, {0x0E, 0x5B, 0x23, 0x30, 0x30, 0x23, 0x30, 0x31, 0x5D}},
        Example{"Row95IsPlainText", u"[#95#01]", false, {0x0E, 0x5B, 0x23, 0x39, 0x35, 0x23, 0x30, 0x31, 0x5D}},
        Example{"UnknownBracketTextIsPlain", u"[X]", false, {0x0E, 0x5B, 0x58, 0x5D}},
        Example{"CutSymbolTextIsPlain", u"[HV", false, {0x0E, 0x5B, 0x48, 0x56}},
        Example{"BackspaceAndDeleteDropped", u"\u0008\u007F", true, {}},
        Example{"PreferredFormBeforePlane1", u"\uFF5E", true, {0x21, 0x41}},
        Example{"OverlineIsKanjiCode", u"\u203E\uFFE3", true, {0x21, 0x31, 0x21, 0x31}},
        Example{"KanaWithSemiVoicedMarkIsPlane1", u"\u304B\u309A", false, {0x1B, 0x24, 0x39, 0x24, 0x77}},
        Example{"LoneHighSurrogateAtEndDropped", u"A\xD840", false, {0x0E, 0x41}},
        Example{"LoneHighSurrogateKeepsNextCharacter", u"\xD840\u4E9C", false, {0x30, 0x21}},
        Example{"LoneLowSurrogateDropped", u"\xDC89\u4E9C", false, {0x30, 0x21}}, Example{"Empty", u"", true, {}}));

struct StrategyExample {
    const char* name;
    test::EncodeFunction encode;
    std::u16string text;
    bool sizeControls;
    Bytes expected;
};

void PrintTo(const StrategyExample& example, std::ostream* os) { *os << example.name; }

class StrategyExamples : public ::testing::TestWithParam<StrategyExample> {};

TEST_P(StrategyExamples, ProducesExpectedBytes) {
    const StrategyExample& example = GetParam();
    EXPECT_EQ(encodeWhole(example.encode, example.text, example.sizeControls), example.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Encoder, StrategyExamples,
    ::testing::Values(
        StrategyExample{"SymbolEndingTextTakesG0",
                        encodeAribTextKanjiG0,
                        u"ABC[HV]",
                        false,
                        {0x0E, 0x41, 0x42, 0x43, 0x1B, 0x24, 0x3B, 0x0F, 0x7A, 0x50}},
        StrategyExample{"SymbolBeforeKanjiTakesG1",
                        encodeAribTextKanjiG0,
                        u"ABC[HV]\u4E9C",
                        false,
                        {0x0E, 0x41, 0x42, 0x43, 0x1B, 0x24, 0x29, 0x3B, 0x7A, 0x50, 0x0F, 0x30, 0x21}},
        StrategyExample{"SymbolBeforeKanjiSharedG0",
                        encodeAribTextSharedG0,
                        u"ABC[HV]\u4E9C",
                        false,
                        {0x0E, 0x41, 0x42, 0x43, 0x0F, 0x1B, 0x24, 0x3B, 0x7A, 0x50, 0x1B, 0x24, 0x42, 0x30, 0x21}},
        StrategyExample{"SymbolsInG0StayThere",
                        encodeAribTextKanjiG0,
                        u"[HV] [SD]",
                        false,
                        {0x1B, 0x24, 0x3B, 0x7A, 0x50, 0x20, 0x7A, 0x51}},
        StrategyExample{
            "SymbolsInG1StayThere", encodeAribTextKanjiG0, u"[HV]A[SD]\u4E9C", false, {0x0E, 0x1B, 0x24, 0x29, 0x3B,
                                                                                       0x7A, 0x50, 0x1B, 0x29, 0x4A,
                                                                                       0x41, 0x1B, 0x24, 0x29, 0x3B,
                                                                                       0x7A, 0x51, 0x0F, 0x30, 0x21}},
        StrategyExample{"SupplementaryPlane2SharedG0",
                        encodeAribTextSharedG0,
                        u"\U00020089",
                        false,
                        {0x1B, 0x24, 0x3A, 0x21, 0x21}},
        StrategyExample{"SupplementaryPlane2KanjiG0",
                        encodeAribTextKanjiG0,
                        u"\U00020089\u4E9C",
                        false,
                        {0x0E, 0x1B, 0x24, 0x29, 0x3A, 0x21, 0x21, 0x0F, 0x30, 0x21}},
        StrategyExample{"KanaThroughKanjiSharedG0Designates",
                        encodeAribTextSharedG0,
                        u"\U00020089\u30A2",
                        false,
                        {0x1B, 0x24, 0x3A, 0x21, 0x21, 0x1B, 0x24, 0x42, 0x25, 0x22}},
        StrategyExample{
            "KanaAfterMiddleSizeReturnsToNormal", encodeAribTextSharedG0, u" \u3042", true, {0x89, 0x20, 0x8A, 0xA2}},
        StrategyExample{"HalfwidthThenAsciiRedesignatesG1",
                        encodeAribTextSharedG0,
                        u"\uFF71A",
                        false,
                        {0x0E, 0x1B, 0x29, 0x49, 0x31, 0x1B, 0x29, 0x4A, 0x41}}));

// One strategy's whole text fills the capacity exactly while the other's would be cut: the
// whole one is stored, not a cut text of the same length.
TEST(EncodeAribText, PrefersWholeTextOverCutOneOfSameLength) {
    const std::u16string text = u"ABC[HV]\u4E9C";
    const Bytes kanjiG0 = encodeWhole(encodeAribTextKanjiG0, text, false);
    const Bytes sharedG0 = encodeWhole(encodeAribTextSharedG0, text, false);
    ASSERT_LT(kanjiG0.size(), sharedG0.size());

    const int capacity = static_cast<int>(kanjiG0.size());
    Bytes stored(sharedG0.size() + 1, 0xCC);
    EXPECT_EQ(encodeAribText(stored.data(), capacity, text.data(), static_cast<int>(text.size()), false), capacity);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + capacity), kanjiG0);
    EXPECT_EQ(stored[static_cast<std::size_t>(capacity)], 0xCC);  // no terminator, nothing beyond
}

TEST(EncodeAribText, BothCutGoesToSharedG0WithoutTerminator) {
    const std::u16string text = u"ABC[HV]\u4E9C";
    const Bytes sharedG0 = encodeWhole(encodeAribTextSharedG0, text, false);
    const int capacity = static_cast<int>(encodeWhole(encodeAribTextKanjiG0, text, false).size()) - 1;
    Bytes stored(sharedG0.size() + 1, 0xCC);
    EXPECT_EQ(encodeAribText(stored.data(), capacity, text.data(), static_cast<int>(text.size()), false), capacity);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + capacity), Bytes(sharedG0.begin(), sharedG0.begin() + capacity));
    EXPECT_EQ(stored[static_cast<std::size_t>(capacity)], 0xCC);
}

TEST(EncodeAribText, TerminatorOnlyBelowCapacityAndNullMeasures) {
    const std::u16string text = u"ABC";
    uint8_t stored[6] = {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC};
    EXPECT_EQ(encodeAribText(nullptr, 100, text.data(), 3, false), 4);
    EXPECT_EQ(encodeAribText(nullptr, 2, text.data(), 3, false), 2);
    EXPECT_EQ(encodeAribText(stored, 5, text.data(), 3, false), 4);
    EXPECT_EQ(stored[4], 0);
    EXPECT_EQ(stored[5], 0xCC);
    EXPECT_EQ(encodeAribText(stored, 0, text.data(), 3, false), 0);
    EXPECT_EQ(encodeAribText(stored, -1, text.data(), 3, false), 0);
    EXPECT_EQ(encodeAribText(stored, 5, nullptr, 3, false), 0);
}

struct ClassExample {
    const char* name;
    std::u16string text;
    CharClass charClass;
    std::uint16_t code;
    int units;
};

void PrintTo(const ClassExample& example, std::ostream* os) { *os << example.name; }

class ClassifyExamples : public ::testing::TestWithParam<ClassExample> {};

TEST_P(ClassifyExamples, GivesClassCodeAndUnits) {
    const ClassExample& example = GetParam();
    const ClassifiedCharacter c = classifyCharacter(example.text.data(), static_cast<int>(example.text.size()), 0);
    EXPECT_EQ(c.charClass, example.charClass);
    EXPECT_EQ(c.code, example.code);
    EXPECT_EQ(c.units, example.units);
}

INSTANTIATE_TEST_SUITE_P(
    Encoder, ClassifyExamples,
    ::testing::Values(ClassExample{"Space", u" ", CharClass::ControlOrSpace, 0x20, 1},
                      ClassExample{"Nul", std::u16string(1, u'\0'), CharClass::ControlOrSpace, 0, 1},
                      ClassExample{"Ascii", u"~", CharClass::Alphanumeric, 0x7E, 1},
                      ClassExample{"Delete", u"\u007F", CharClass::None, 0, 1},
                      ClassExample{"KanaCommonBeforeKana", u"\u30FC", CharClass::KanaCommon, 0x79, 1},
                      ClassExample{"Hiragana", u"\u3093", CharClass::Hiragana, 0x73, 1},
                      ClassExample{"HiraganaIterationMark", u"\u309E", CharClass::Hiragana, 0x78, 1},
                      ClassExample{"Katakana", u"\u30F6", CharClass::Katakana, 0x76, 1},
                      ClassExample{"HalfwidthKatakana", u"\uFF9F", CharClass::HalfwidthKatakana, 0x5F, 1},
                      ClassExample{"AdditionalSymbolBeforeKanji", u"\u2491", CharClass::AdditionalSymbol, 0x7A4D, 1},
                      ClassExample{"AdditionalSymbolAbovePlane0", u"\U00020158", CharClass::AdditionalSymbol, 0x7522,
                                   2},
                      ClassExample{"PreferredForm", u"\uFFE3", CharClass::Kanji, 0x2131, 1},
                      ClassExample{"Kanji", u"\u4E9C", CharClass::Kanji, 0x3021, 1},
                      ClassExample{"Plane1Extra", u"\uFF07", CharClass::Plane1, 0x222F, 1},
                      ClassExample{"Plane1Sequence", u"\u02E9\u02E5", CharClass::Plane1, 0x2B65, 2},
                      ClassExample{"Plane2", u"\U00020089", CharClass::Plane2, 0x2121, 2},
                      ClassExample{"SymbolString", u"[\u307B\u304B]x", CharClass::AdditionalSymbol, 0x7A74, 4},
                      ClassExample{"RowCell", u"[#94#94]", CharClass::AdditionalSymbol, 0x7E7E, 8},
                      ClassExample{"RowCellCut", u"[#94#94", CharClass::Alphanumeric, 0x5B, 1},
                      ClassExample{"RowCellNotDigits", u"[#9A#94]", CharClass::Alphanumeric, 0x5B, 1},
                      ClassExample{"CellZero", u"[#01#00]", CharClass::Alphanumeric, 0x5B, 1},
                      ClassExample{"HighSurrogateBeforeNonSurrogate", u"\xD840\u0041", CharClass::None, 0, 1},
                      ClassExample{"LowSurrogate", u"\xDC00", CharClass::None, 0, 1},
                      ClassExample{"Unmapped", u"\uE000", CharClass::None, 0, 1}));

struct KanaExample {
    const char* name;
    std::u16string text;  // the first character is the one asked about; GR holds the other set
    bool invoke;
};

void PrintTo(const KanaExample& example, std::ostream* os) { *os << example.name; }

class KanaDecisionExamples : public ::testing::TestWithParam<KanaExample> {};

TEST_P(KanaDecisionExamples, WeighsRuns) {
    const KanaExample& example = GetParam();
    const ClassifiedCharacter first = classifyCharacter(example.text.data(), static_cast<int>(example.text.size()), 0);
    EXPECT_EQ(shouldInvokeKanaSet(example.text.data(), static_cast<int>(example.text.size()), 0, first.charClass),
              example.invoke);
}

// Runs of katakana (K) and hiragana (H) of the given lengths, starting with katakana.
std::u16string alternatingRuns(std::initializer_list<int> lengths, const std::u16string& between = u"") {
    std::u16string text;
    bool katakana = true;
    for (int length : lengths) {
        for (int i = 0; i < length; ++i) text += (katakana ? u"\u30A2" : u"\u3042") + between;
        katakana = !katakana;
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Encoder, KanaDecisionExamples,
    ::testing::Values(KanaExample{"RunOfOne", alternatingRuns({1, 5}), false},
                      KanaExample{"RunOfTwoAloneTies", alternatingRuns({2}), true},
                      KanaExample{"TwoThenOneFavoursKanji", alternatingRuns({2, 1}), false},
                      KanaExample{"TwoOneTwo", alternatingRuns({2, 1, 2}), true},
                      KanaExample{"OtherCharactersDoNotBreakRuns", alternatingRuns({2, 1, 2}, u"\u4E9CA "), true},
                      KanaExample{"RunOfFive", alternatingRuns({5, 1}), true},
                      KanaExample{"LaterRunOfFiveStopsScan", alternatingRuns({2, 5, 2}), false},
                      // Alternating runs of two: katakana through the kanji set (4 bytes a run) with hiragana
                      // in GR (2) beat shifting for every run (4 each).
                      KanaExample{"TwentyRunsOfTwo",
                                  alternatingRuns({2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}), false},
                      // Katakana runs of four between single hiragana: 62 bytes shifting first, 65 otherwise.
                      KanaExample{"TwentyRunsWeighed",
                                  alternatingRuns({4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1}), true},
                      KanaExample{"TwentyFirstRunStops",
                                  alternatingRuns({4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4}),
                                  false}));

}  // namespace
}  // namespace arib

namespace arib {
namespace {

// The first `length` bytes of a strategy's coding of `text`, coded again for each window of
// `room` bytes, as where no buffer for the rest of a long coding can be had.
template <typename Strategy>
Bytes storedWindowByWindow(const std::u16string& text, std::size_t length, std::int64_t room, Strategy strategy) {
    StrategyText strategyText(text.data(), static_cast<int>(text.size()));
    Bytes stored(length, 0xCC);
    std::vector<char8_t> window(static_cast<std::size_t>(room));
    storeInWindows(stored.data(), 0, static_cast<std::int64_t>(stored.size()), window.data(), room,
                   [&](EncoderOutput& output) {
                       strategyText.rewind();
                       strategy(output, strategyText, false);
                   });
    return stored;
}

// Codings longer than any text field, stored in several stretches: the choice between the
// strategies and the cut at the capacity stay the same as for short ones, and each strategy's
// coding decodes back to the text.
TEST(EncodeAribText, LongTextsFollowTheSameChoice) {
    std::u16string text;
    for (int i = 0; i < 900; ++i) text += u"\U00020089\u4E9C";  // kanji G0 is shorter here
    const Bytes sharedG0 = encodeWhole(encodeAribTextSharedG0, text, false);
    const Bytes kanjiG0 = encodeWhole(encodeAribTextKanjiG0, text, false);
    ASSERT_LT(kanjiG0.size(), sharedG0.size());
    ASSERT_GT(kanjiG0.size(), 4200u);
    for (const Bytes* coding : {&sharedG0, &kanjiG0}) {
        std::u16string decoded(text.size() + 1, u'\0');
        const int units = decodeAribText(decoded.data(), static_cast<int>(decoded.size()), coding->data(),
                                         static_cast<int>(coding->size()));
        EXPECT_EQ(decoded.substr(0, static_cast<std::size_t>(units)), text);
    }
    for (int capacity : {1000, 2047, 2048, 2049, 3000, 4095, 4096, 4097, static_cast<int>(kanjiG0.size()), 10000}) {
        const bool kanjiFits = static_cast<int>(kanjiG0.size()) <= capacity;
        const Bytes& chosen = kanjiFits ? kanjiG0 : sharedG0;
        const int expected = std::min(capacity, static_cast<int>(chosen.size()));
        Bytes stored(static_cast<std::size_t>(capacity) + 1, 0xCC);
        ASSERT_EQ(encodeAribText(stored.data(), capacity, text.data(), static_cast<int>(text.size()), false), expected);
        EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + expected, chosen.begin())) << capacity;
        EXPECT_EQ(stored[static_cast<std::size_t>(expected)], expected < capacity ? 0 : 0xCC) << capacity;
    }
    // Without a buffer for the rest of a long coding, each further stretch is coded again in a
    // window of its own: the same bytes.
    for (std::int64_t room : {7, 2048})
        EXPECT_EQ(storedWindowByWindow(text, kanjiG0.size(), room, codeKanjiG0), kanjiG0) << room;
}

// Kanji and kana in GR follow each other byte for byte, for both strategies alike, across
// the measuring room and the windows of a long coding: the same bytes as coded on their own,
// cut exactly at the capacity.
TEST(EncodeAribText, LongKanjiAndKanaRunsAcrossWindows) {
    std::u16string text;
    for (int i = 0; i < 700; ++i)
        text += i % 3 ? u"\u4E9C\u3042\u6F22\u5B57\u304B\u306A" : u"\u30C6\u30EC\u30D3\u3067\u3059\u3002";
    const Bytes sharedG0 = encodeWhole(encodeAribTextSharedG0, text, false);
    ASSERT_GT(sharedG0.size(), 4200u);
    std::u16string decoded(text.size() + 1, u'\0');
    const int units = decodeAribText(decoded.data(), static_cast<int>(decoded.size()), sharedG0.data(),
                                     static_cast<int>(sharedG0.size()));
    EXPECT_EQ(decoded.substr(0, static_cast<std::size_t>(units)), text);
    for (int capacity : {2047, 2048, 2049, 4097, static_cast<int>(sharedG0.size()) - 1, 10000}) {
        const int expected = std::min(capacity, static_cast<int>(sharedG0.size()));
        Bytes stored(static_cast<std::size_t>(capacity) + 1, 0xCC);
        ASSERT_EQ(encodeAribText(stored.data(), capacity, text.data(), static_cast<int>(text.size()), false), expected);
        EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + expected, sharedG0.begin())) << capacity;
    }
    for (std::int64_t room : {7, 2048})
        EXPECT_EQ(storedWindowByWindow(text, sharedG0.size(), room, codeSharedG0), sharedG0) << room;
}

}  // namespace
}  // namespace arib
