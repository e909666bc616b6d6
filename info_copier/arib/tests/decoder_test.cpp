#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "arib/arib_text.h"
#include "arib/char_tables.h"
#include "arib/decoder_output.h"
#include "arib/tests/decoder_test_support.h"

namespace arib {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::u16string decode(const Bytes& bytes) {
    // The input lives in a block of its own exact size, so a read past its end shows up
    // under AddressSanitizer.
    auto copy = std::make_unique<std::uint8_t[]>(bytes.size() + (bytes.empty() ? 1 : 0));
    std::copy(bytes.begin(), bytes.end(), copy.get());
    int length = static_cast<int>(bytes.size());
    int measured = decodeAribText(nullptr, 0x10000, copy.get(), length);
    std::vector<char16_t> out(0x10000, u'\xFFFF');
    int count = decodeAribText(out.data(), 0x10000, copy.get(), length);
    EXPECT_EQ(count, measured);
    EXPECT_EQ(out[static_cast<std::size_t>(count)], 0);
    EXPECT_TRUE(test::pathsAgree(copy.get(), length));
    return std::u16string(out.data(), static_cast<std::size_t>(count));
}

struct DecodeCase {
    const char* name;
    Bytes bytes;
    std::u16string expected;
};

constexpr std::uint8_t ESC = 0x1B, CSI = 0x9B, SS2 = 0x19, SS3 = 0x1D, LS0 = 0x0F, LS1 = 0x0E;

class Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, YieldsExpectedText) { EXPECT_EQ(decode(GetParam().bytes), GetParam().expected); }

const DecodeCase kDecodeCases[] = {
    {"Empty", {}, u""},
    {"KanjiInG0", {0x30, 0x21}, u"\u4E9C"},
    {"HiraganaThroughGR", {0xA2}, u"\u3042"},
    {"PreferredFormFirst", {0x21, 0x31}, u"\uFFE3"},
    {"KanjiSetRow90IsPlane1", {0x7A, 0x50}, u"\u8160"},
    {"Plane1Sequence", {0x24, 0x77}, u"\u304B\u309A"},
    {"UnassignedKanjiGivesNothing", {0x24, 0x7C, LS1, 0x41}, u"A"},
    {"CrLfIsOneBreak", {0x0D, 0x0A}, u"\r\n"},
    {"LoneCr", {0x0D}, u"\r\n"},
    {"LoneLf", {0x0A}, u"\r\n"},
    {"CrThenText", {0x0D, 0xA2}, u"\r\n\u3042"},
    {"TabBackspaceSpaceDel", {0x09, 0x08, 0x20, 0x7F}, u"\t\b \x7F"},
    {"SilentControls", {0x00, 0x07, 0x89, 0x8A, 0x80, 0xA0, 0xFF, 0x1C}, u""},
    {"LockingShiftToAlphanumeric", {LS1, 0x41, 0x42, LS0, 0x30, 0x21}, u"AB\u4E9C"},
    {"SingleShiftRestores", {SS2, 0x22, 0x30, 0x21}, u"\u3042\u4E9C"},
    {"SingleShiftOutlivesControls", {SS3, 0x20, 0x89, 0x22, 0x30, 0x21}, u" \u30A2\u4E9C"},
    {"SingleShiftRestoreUndoesLs1", {SS3, LS1, 0x22, 0x30, 0x21}, u"\"\u4E9C"},
    {"DoubleSingleShiftKeepsFirstRestore", {SS2, SS3, 0x22, 0x30, 0x21}, u"\u30A2\u4E9C"},
    {"AdditionalSymbolText", {ESC, 0x24, 0x3B, 0x7A, 0x50}, u"[HV]"},
    {"AdditionalSymbolRowCell", {ESC, 0x24, 0x3B, 0x7A, 0x21}, u"[#90#01]"},
    {"AdditionalSymbolCharacter", {ESC, 0x24, 0x3B, 0x75, 0x22}, u"\U00020158"},
    {"AdditionalSymbolKanjiFallback", {ESC, 0x24, 0x3B, 0x30, 0x21, 0x21, 0x31}, u"\u4E9C\uFFE3"},
    {"AdditionalSymbolNotPlane1Extra", {ESC, 0x24, 0x3B, 0x2E, 0x21}, u"[#14#01]"},
    {"AdditionalSymbolInG1", {ESC, 0x24, 0x29, 0x3B, LS1, 0x7A, 0x74, 0x7C, 0x7A}, u"[ほか][演]"},
    {"RowCellWithControlSecondByte", {ESC, 0x24, 0x3B, 0x7A, 0x05}, u"[#90#-27]"},
    {"Plane2SurrogatePair", {ESC, 0x24, 0x3A, 0x21, 0x21}, u"\U00020089"},
    {"JisPlane1IntoG0", {ESC, 0x24, 0x39, 0x2E, 0x21, 0x30, 0x21}, u"\u4FF1\u4E9C"},
    {"SecondByteInRightHalf", {0x30, 0xA1}, u"\u4E9C"},
    {"KatakanaIntoG0", {ESC, 0x28, 0x31, 0x22, 0x79}, u"\u30A2\u30FC"},
    {"HalfwidthKatakana", {ESC, 0x29, 0x49, LS1, 0x21, 0x5F, 0x60}, u"\uFF61\uFF9F"},
    {"ProportionalSets", {ESC, 0x28, 0x36, 0x41, ESC, 0x28, 0x37, 0x22, ESC, 0x28, 0x38, 0x22}, u"A\u3042\u30A2"},
    {"HiraganaHole", {ESC, 0x28, 0x30, 0x74, 0x77}, u"\u309D"},
    {"MosaicGivesQuestionMark", {ESC, 0x28, 0x32, 0x41, 0x42}, u"??"},
    {"DrcsOneByte", {ESC, 0x28, 0x20, 0x41, 0x41, 0x42}, u"??"},
    {"Drcs2IsNotKanji", {ESC, 0x28, 0x20, 0x42, 0x30, 0x21}, u"??"},
    {"Drcs0TwoBytes", {ESC, 0x24, 0x28, 0x20, 0x40, 0x21, 0x21, 0x21, 0x21}, u"??"},
    {"Drcs0IntoG1", {ESC, 0x24, 0x29, 0x20, 0x40, LS1, 0x21, 0x21}, u"?"},
    {"UnknownDynamicSetIgnored", {ESC, 0x28, 0x20, 0x50, 0x30, 0x21}, u"\u4E9C"},
    {"UnknownOneByteSetIgnored", {ESC, 0x28, 0x4B, 0x30, 0x21}, u"\u4E9C"},
    {"LongFormIntoG0Ignored", {ESC, 0x24, 0x28, 0x3A, 0x30, 0x21}, u"\u4E9C"},
    {"UnknownTwoByteSetIgnored", {ESC, 0x24, 0x40, 0x30, 0x21}, u"\u4E9C"},
    {"UnknownEscapeTwoBytes", {ESC, 0x41, 0x30, 0x21}, u"\u4E9C"},
    {"LockingShiftsRight", {ESC, 0x7C, 0xA2, ESC, 0x7D, 0xA2, ESC, 0x7E, 0xC1}, u"\u30A2\u3042A"},
    {"LockingShiftsLeft", {ESC, 0x6E, 0x22, ESC, 0x6F, 0x22}, u"\u3042\u30A2"},
    {"XcsSuppresses", {CSI, 0x30, 0x20, 0x66, 0x30, 0x21, 0x0D, 0x20, CSI, 0x31, 0x20, 0x66, 0xA2}, u"\u3042"},
    {"XcsKeepsDesignations", {CSI, 0x20, 0x66, ESC, 0x28, 0x4A, CSI, 0x31, 0x66, 0x41}, u"A"},
    {"XcsWithTwoParametersIgnored", {CSI, 0x30, 0x3B, 0x30, 0x20, 0x66, 0xA2}, u"\u3042"},
    {"XcsOtherValueIgnored", {CSI, 0x32, 0x20, 0x66, 0xA2}, u"\u3042"},
    {"XcsHugeParameterIgnored",
     {CSI, 0x39, 0x39, 0x39, 0x39, 0x39, 0x39, 0x39, 0x39, 0x39, 0x39, 0x39, 0x66, 0xA2},
     u"\u3042"},
    {"CsiFourthSeparatorEnds", {CSI, 0x31, 0x3B, 0x32, 0x3B, 0x33, 0x3B, 0x34, 0x3B, 0x30, 0x21}, u"\u4E9C"},
    {"CsiNonFinalEnds", {CSI, 0x31, 0x41, 0xA2}, u"\u3042"},
    {"CsiIntermediateThenNonFinal", {CSI, 0x31, 0x20, 0x22, 0xA2}, u"\u3042"},
    {"MacroIntoG3ThenSs3", {ESC, 0x2B, 0x20, 0x70, LS1, SS3, 0x60, 0x41, 0xA2}, u"A\u3042"},
    {"MacroResetsInvocations", {ESC, 0x2B, 0x20, 0x70, ESC, 0x6F, 0x61, 0x30, 0x21, LS1, 0x22}, u"\u4E9C\u30A2"},
    {"MacroMosaic", {ESC, 0x2B, 0x20, 0x70, SS3, 0x63, 0x41, LS1, 0x41}, u"??"},
    {"MacroOtherCodeDoesNothing", {ESC, 0x2B, 0x20, 0x70, SS3, 0x41, 0x30, 0x21}, u"\u4E9C"},
    // One-byte sets in both halves: every byte a character, spaces among them.
    {"AlphanumericRunWithKanaSpaceAndBreak",
     {LS1, 0x4E, 0x6F, 0x2E, 0x20, 0xA2, 0x31, 0x0D, 0x41, LS0, 0x30, 0x21},
     u"No. \u30421\r\nA\u4E9C"},
    {"AlphanumericRunToTheEnd", {0x30, 0x21, LS1, 0x41, 0x20, 0x42, 0x43}, u"\u4E9CA BC"},
    {"AlphanumericRunMeetsOtherBytes",
     {LS1, 0x41, 0xA0, 0x42, 0xFF, 0x43, 0x7F, 0x44, 0x20, 0x20},
     u"ABC\x7F"
     u"D  "},
    {"OneByteSetsInBothHalvesThroughLs2",
     {ESC, 0x6E, 0x22, 0xA2, 0x20, 0x23, ESC, 0x7C, 0xA2, 0x22},
     u"\u3042\u3042 \u3043\u30A2\u3042"},
    {"DrcsInG1AmongSpaces", {ESC, 0x29, 0x20, 0x41, LS1, 0x41, 0x20, 0x42, LS0, 0x30, 0x21}, u"? ?\u4E9C"},
    // Sequences and characters cut by the end of the input.
    {"CutKanji", {0xA2, 0x30}, u"\u3042"},
    {"CutEscape", {0xA2, ESC}, u"\u3042"},
    {"CutDesignation", {ESC, 0x24, 0x29}, u""},
    {"CutDrcsDesignation", {ESC, 0x24, 0x28, 0x20}, u""},
    {"CutCsi", {CSI, 0x30, 0x3B}, u""},
    {"CutCsiIntermediate", {CSI, 0x30, 0x20}, u""},
    {"CutDrcs0", {ESC, 0x24, 0x28, 0x20, 0x40, 0x21}, u""},
};

INSTANTIATE_TEST_SUITE_P(DecodeAribText, Decode, testing::ValuesIn(kDecodeCases),
                         [](const testing::TestParamInfo<DecodeCase>& param) { return std::string(param.param.name); });

TEST(DecodeAribText, ControlParametersAreReadAsText) {
    // COL is skipped alone; its parameter byte is a graphic byte of the set in GL.
    EXPECT_EQ(decode({0x90, 0x48, 0x30}), u"\u9197");  // the kanji 0x48 0x30
    EXPECT_EQ(decode({LS1, 0x90, 0x48}), u"H");
}

TEST(DecodeAribText, KanjiSetInGrThroughG1) {
    EXPECT_EQ(decode({ESC, 0x24, 0x29, 0x42, ESC, 0x7E, 0xB0, 0xA1}), u"\u4E9C");
    EXPECT_EQ(decode({ESC, 0x29, 0x42, ESC, 0x7E, 0xB0, 0xA1}), u"0!");  // 0x42 is no one-byte set
}

TEST(DecodeAribText, ThreeKanjiIntoTwoUnits) {
    const std::uint8_t text[] = {0x30, 0x21, 0x30, 0x22, 0x30, 0x23};
    char16_t out[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(decodeAribText(out, 2, text, 6), 2);
    EXPECT_EQ(out[0], 0x4E9C);
    EXPECT_EQ(out[1], 0x5516);
    EXPECT_EQ(out[2], u'x');  // no terminator, nothing past the capacity
    EXPECT_EQ(decodeAribText(nullptr, 2, text, 6), 2);
    EXPECT_EQ(decodeAribText(nullptr, 100, text, 6), 3);
    EXPECT_EQ(decodeAribText(out, 3, text, 6), 3);
    EXPECT_EQ(out[3], u'x');
    EXPECT_EQ(decodeAribText(out, 4, text, 6), 3);
    EXPECT_EQ(out[3], 0);
    EXPECT_TRUE(test::pathsAgree(text, 6));
}

TEST(DecodeAribText, SurrogatePairCutAtCapacity) {
    const std::uint8_t text[] = {ESC, 0x24, 0x3A, 0x21, 0x21};
    char16_t out[3] = {u'x', u'x', u'x'};
    EXPECT_EQ(decodeAribText(out, 1, text, 5), 1);
    EXPECT_EQ(out[0], 0xD840);
    EXPECT_EQ(out[1], u'x');
    EXPECT_EQ(decodeAribText(out, 3, text, 5), 2);
    EXPECT_EQ(out[1], 0xDC89);
    EXPECT_EQ(out[2], 0);
    EXPECT_TRUE(test::pathsAgree(text, 5));
}

TEST(DecodeAribText, DegenerateArguments) {
    const std::uint8_t text[] = {0xA2};
    char16_t out[2] = {u'x', u'x'};
    EXPECT_EQ(decodeAribText(out, 0, text, 1), 0);
    EXPECT_EQ(out[0], u'x');
    EXPECT_EQ(decodeAribText(out, 2, text, 0), 0);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(decodeAribText(out, 2, nullptr, 5), 0);
    EXPECT_EQ(decodeAribText(out, -3, text, 1), 0);
    EXPECT_EQ(decodeAribText(out, 2, text, -1), 0);
}

// Generated mixed texts of the forms programme text is made of (kanji, both kana sets through
// GR, alphanumerics through LS1, spaces, size controls, line breaks, additional symbols), with
// the expected text built from the table look-ups one character at a time.
class MixedText {
public:
    explicit MixedText(unsigned seed) : state_(seed) {}

    void build(int tokens) {
        for (int i = 0; i < tokens; ++i) addToken();
    }
    const Bytes& bytes() const { return bytes_; }
    const std::u16string& expected() const { return expected_; }

private:
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t randomCell() { return 0x21 + next() % 94; }
    void append(std::uint32_t codePoint) {
        if (codePoint > 0xFFFF) {
            expected_ += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            expected_ += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else if (codePoint != 0) {
            expected_ += static_cast<char16_t>(codePoint);
        }
    }
    void appendSequence(const SequenceEntry* entry) {
        if (entry) expected_.append(entry->characters, static_cast<std::size_t>(sequenceLength(*entry)));
    }
    void leftHalf(int registerIndex) {
        if (gl_ == registerIndex) return;
        bytes_.push_back(registerIndex == 0 ? LS0 : LS1);
        gl_ = registerIndex;
    }

    void addToken() {
        switch (next() % 9) {
            case 0:
            case 1:
            case 2: {  // kanji, any plane 1 position
                leftHalf(0);
                std::uint32_t code = randomCell() << 8 | randomCell();
                bytes_.push_back(static_cast<std::uint8_t>(code >> 8));
                bytes_.push_back(static_cast<std::uint8_t>(code & 0xFF));
                if (std::uint32_t unicode = plane1UnicodeForCode(code))
                    append(unicode);
                else
                    appendSequence(sequenceForCode(SequenceTable::Plane1Sequence, code));
                break;
            }
            case 3:
            case 4: {  // kana through GR, switching sets now and then
                if (next() % 4 == 0) {
                    gr_ = gr_ == 2 ? 3 : 2;
                    bytes_.insert(bytes_.end(), {ESC, static_cast<std::uint8_t>(gr_ == 2 ? 0x7D : 0x7C)});
                }
                std::uint32_t code = randomCell();
                bytes_.push_back(static_cast<std::uint8_t>(code | 0x80));
                append(unicodeForCode(gr_ == 2 ? CodeTable::Hiragana : CodeTable::Katakana, code));
                break;
            }
            case 5: {  // alphanumerics
                leftHalf(1);
                std::uint32_t code = randomCell();
                bytes_.push_back(static_cast<std::uint8_t>(code));
                append(code);
                break;
            }
            case 6: {  // space and size controls
                std::uint8_t control = static_cast<std::uint8_t>(next() % 3 == 0 ? 0x89 : next() % 2 ? 0x8A : 0x20);
                bytes_.push_back(control);
                if (control == 0x20) expected_ += u' ';
                break;
            }
            case 7: {  // line breaks in all three forms
                std::uint32_t form = next() % 3;
                if (form == 0) bytes_.insert(bytes_.end(), {0x0D, 0x0A});
                if (form == 1) bytes_.push_back(0x0A);
                if (form == 2) bytes_.insert(bytes_.end(), {0x0D, 0x20});
                expected_ += form == 2 ? u"\r\n " : u"\r\n";
                break;
            }
            default: {  // an additional symbol through G0, then kanji again
                leftHalf(0);
                std::uint32_t code = (0x75 + next() % 10) << 8 | randomCell();
                bytes_.insert(bytes_.end(), {ESC, 0x24, 0x3B, static_cast<std::uint8_t>(code >> 8),
                                             static_cast<std::uint8_t>(code & 0xFF), ESC, 0x24, 0x42});
                if (std::uint32_t unicode = additionalSymbolUnicodeForCode(code)) {
                    append(unicode);
                } else if (const SequenceEntry* text = sequenceForCode(SequenceTable::SymbolString, code)) {
                    appendSequence(text);
                } else {
                    char rowCell[16];
                    std::snprintf(rowCell, sizeof rowCell, "[#%.2d#%.2d]", static_cast<int>(code >> 8) - 0x20,
                                  static_cast<int>(code & 0xFF) - 0x20);
                    for (const char* c = rowCell; *c; ++c) expected_ += static_cast<char16_t>(*c);
                }
                break;
            }
        }
    }

    std::uint32_t state_;
    int gl_ = 0, gr_ = 2;
    Bytes bytes_;
    std::u16string expected_;
};

TEST(DecodeAribText, GeneratedMixedTexts) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        MixedText text(seed);
        text.build(static_cast<int>(seed % 50) + 1);
        ASSERT_EQ(decode(text.bytes()), text.expected()) << "seed " << seed;
        // Cut at every capacity: exactly that many units, the start of the whole text.
        const std::u16string& whole = text.expected();
        std::vector<char16_t> out(whole.size() + 2);
        for (std::size_t capacity = 0; capacity <= whole.size(); ++capacity) {
            std::fill(out.begin(), out.end(), u'\xFFFF');
            int count = decodeAribText(out.data(), static_cast<int>(capacity), text.bytes().data(),
                                       static_cast<int>(text.bytes().size()));
            ASSERT_EQ(count, static_cast<int>(capacity));
            ASSERT_EQ(std::u16string(out.data(), capacity), whole.substr(0, capacity));
            ASSERT_EQ(out[capacity], u'\xFFFF');
        }
    }
}

TEST(WriteCodePoint, StoresEachUnitBelowTheCapacity) {
    char16_t out[3] = {u'x', u'x', u'x'};
    EXPECT_EQ(writeCodePoint(0x3042, out, 0, 3), 1);
    EXPECT_EQ(out[0], 0x3042);
    EXPECT_EQ(writeCodePoint(0x10FFFF, out, 1, 3), 2);
    EXPECT_EQ(out[1], 0xDBFF);
    EXPECT_EQ(out[2], 0xDFFF);
    EXPECT_EQ(writeCodePoint(0x10000, out, 2, 3), 2);
    EXPECT_EQ(out[2], 0xD800);
    EXPECT_EQ(writeCodePoint(0x41, out, 3, 3), 1);
    EXPECT_EQ(writeCodePoint(0x20089, nullptr, 0, 3), 2);
}

}  // namespace
}  // namespace arib
