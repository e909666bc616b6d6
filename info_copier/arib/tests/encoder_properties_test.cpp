// Properties of the encoder together with the decoder, over every code of the character sets
// and over generated mixed texts (fixed seed).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "arib/arib_text.h"
#include "arib/char_tables.h"
#include "arib/encoder_strategies.h"
#include "arib/kana_decision.h"
#include "arib/symbol_tail.h"
#include "arib/tests/encoder_test_support.h"

namespace arib {
namespace {

using test::Bytes;
using test::encodeWhole;

std::u16string decode(const Bytes& bytes) {
    const int length = decodeAribText(nullptr, 1 << 20, bytes.data(), static_cast<int>(bytes.size()));
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    decodeAribText(text.data(), length + 1, bytes.data(), static_cast<int>(bytes.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

Bytes encode(const std::u16string& text, bool sizeControls = true) {
    return encodeWhole(encodeAribText, text, sizeControls);
}

constexpr std::uint8_t ESC = 0x1B;

// What the decoder gives for every code of every character set that has tables (and ASCII),
// one text per code that gives anything.
std::vector<std::u16string> decodedCodes(std::uint8_t finalByte, bool twoByte) {
    std::vector<std::u16string> texts;
    for (int first = 0x21; first <= 0x7E; ++first) {
        for (int second = 0x21; second <= (twoByte ? 0x7E : 0x21); ++second) {
            Bytes bytes = twoByte ? Bytes{ESC, 0x24, finalByte} : Bytes{ESC, 0x28, finalByte};
            bytes.push_back(static_cast<std::uint8_t>(first));
            if (twoByte) bytes.push_back(static_cast<std::uint8_t>(second));
            std::u16string text = decode(bytes);
            if (!text.empty()) texts.push_back(std::move(text));
        }
    }
    return texts;
}

struct CharacterSet {
    const char* name;
    std::uint8_t finalByte;
    bool twoByte;
};

constexpr CharacterSet kTableSets[] = {
    {"kanji", 0x42, true},     {"plane 1", 0x39, true},   {"plane 2", 0x3A, true},     {"symbols", 0x3B, true},
    {"hiragana", 0x30, false}, {"katakana", 0x31, false}, {"JIS X 0201", 0x49, false}, {"alphanumeric", 0x4A, false},
};

TEST(EncoderProperties, EveryDecodedCharacterCodesBackToItself) {
    std::size_t checked = 0;
    for (const CharacterSet& set : kTableSets) {
        for (const std::u16string& text : decodedCodes(set.finalByte, set.twoByte)) {
            for (bool sizeControls : {true, false}) {
                const Bytes coded = encode(text, sizeControls);
                ASSERT_FALSE(coded.empty()) << set.name;
                ASSERT_EQ(decode(coded), text) << set.name << " text of " << text.size() << " units, first " << std::hex
                                               << static_cast<int>(text[0]);
            }
            ++checked;
        }
    }
    // Kanji and plane 1 give the whole of plane 1 twice; the symbol set gives a text for every code.
    EXPECT_EQ(checked, 2u * 8797 + 2436 + 94 * 94 + 91 + 94 + 63 + 94);
}

// Mixed texts from pieces that the decoder itself produces, controls, and characters that the
// encoder drops; each piece knows what decoding its coded form gives back.
struct Piece {
    std::u16string text;
    std::u16string decoded;  // empty for a dropped character
};

class TextGenerator {
public:
    explicit TextGenerator(unsigned seed) : random_(seed) {
        for (const CharacterSet& set : kTableSets) {
            std::vector<Piece>& pool = set.finalByte == 0x30   ? hiragana_
                                       : set.finalByte == 0x31 ? katakana_
                                       : set.finalByte == 0x3B ? symbols_
                                       : set.finalByte == 0x4A ? ascii_
                                                               : others_;
            for (std::u16string& text : decodedCodes(set.finalByte, set.twoByte)) {
                if (set.finalByte == 0x4A && (text == u"[" || text == u"#")) continue;  // no accidental symbol texts
                pool.push_back({text, text});
            }
        }
        controls_ = {{u" ", u" "}, {u"\t", u"\t"}, {u"\r\n", u"\r\n"}, {u"\n", u"\r\n"}};
        dropped_ = {{u"\u0008", u""},
                    {u"\u007F", u""},
                    {u"\uE000", u""},
                    {u"\xDC00", u""},
                    {u"\xD83D"
                     u"A",
                     u"A"},
                    {u"\r", u""},
                    {u"\u0001", u""}};
    }

    // A text of up to `maxPieces` pieces and what decoding its coding must give.
    std::pair<std::u16string, std::u16string> next(int maxPieces, bool withDropped) {
        std::u16string text, expected;
        const int pieces = std::uniform_int_distribution<int>(0, maxPieces)(random_);
        for (int i = 0; i < pieces; ++i) {
            const Piece& piece = pick(withDropped);
            // A lone CR before a piece that starts with LF would join it into a line break.
            if (piece.text == u"\r" && i + 1 < pieces) continue;
            text += piece.text;
            expected += piece.decoded;
        }
        return {text, expected};
    }

private:
    const Piece& pick(bool withDropped) {
        // Weighted towards kana, so that runs of both sets meet often.
        const int kind = std::uniform_int_distribution<int>(0, withDropped ? 12 : 11)(random_);
        const std::vector<Piece>& pool = kind < 3    ? hiragana_
                                         : kind < 6  ? katakana_
                                         : kind < 8  ? others_
                                         : kind < 9  ? symbols_
                                         : kind < 10 ? ascii_
                                         : kind < 12 ? controls_
                                                     : dropped_;
        return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random_)];
    }

    std::mt19937 random_;
    std::vector<Piece> hiragana_, katakana_, symbols_, ascii_, others_, controls_, dropped_;
};

TEST(EncoderProperties, DecodingGivesTheTextBackLessDroppedCharacters) {
    TextGenerator generator(20240611);
    for (int i = 0; i < 400; ++i) {
        const bool withDropped = i % 2 == 1;
        const auto [text, expected] = generator.next(60, withDropped);
        for (bool sizeControls : {true, false}) {
            const Bytes coded = encode(text, sizeControls);
            ASSERT_EQ(decode(coded), expected) << "text " << i;
            // Coding is stable: what the decoder gives codes to the same bytes.
            if (!withDropped) {
                ASSERT_EQ(encode(decode(coded), sizeControls), coded) << "text " << i;
            }
        }
    }
}

TEST(EncoderProperties, RecodingDecodedTextGivesTheSameBytes) {
    // With dropped characters, coding the decoded text can differ from the first coding, since
    // a dropped character no longer stands between its neighbours ("[H", U+0008, "V]" becomes
    // the symbol text "[HV]"). One round later the coding is settled.
    TextGenerator generator(7);
    for (int i = 0; i < 300; ++i) {
        const std::u16string text = generator.next(60, true).first;
        const Bytes once = encode(text);
        const Bytes twice = encode(decode(once));
        ASSERT_EQ(encode(decode(twice)), twice) << "text " << i;
        ASSERT_EQ(decode(twice), decode(once)) << "text " << i;
    }
}

// At every capacity: the result is the capacity or the whole length, whichever is smaller;
// nothing is stored at or past the capacity; the terminator exactly when there is room; the
// stored bytes start one strategy's whole coding.
void checkCutsAt(const std::u16string& text, int capacity, bool sizeControls) {
    const int length = static_cast<int>(text.size());
    const int whole = encodeAribText(nullptr, 1 << 20, text.data(), length, sizeControls);
    const Bytes sharedG0 = encodeWhole(encodeAribTextSharedG0, text, sizeControls);
    const Bytes kanjiG0 = encodeWhole(encodeAribTextKanjiG0, text, sizeControls);
    constexpr std::uint8_t kUntouched = 0xCC;
    Bytes stored(static_cast<std::size_t>(capacity) + 8, kUntouched);
    const int result = encodeAribText(stored.data(), capacity, text.data(), length, sizeControls);
    ASSERT_EQ(result, std::min(whole, capacity));
    ASSERT_EQ(encodeAribText(nullptr, capacity, text.data(), length, sizeControls), result);
    if (result < capacity) {
        ASSERT_EQ(stored[static_cast<std::size_t>(result)], 0);
    }
    const std::size_t firstUntouched = static_cast<std::size_t>(result < capacity ? result + 1 : capacity);
    for (std::size_t i = firstUntouched; i < stored.size(); ++i) ASSERT_EQ(stored[i], kUntouched) << i;
    const auto startsWith = [&](const Bytes& coding) {
        return static_cast<int>(coding.size()) >= result &&
               std::equal(stored.begin(), stored.begin() + result, coding.begin());
    };
    ASSERT_TRUE(startsWith(sharedG0) || startsWith(kanjiG0));
}

TEST(EncoderProperties, CutAtAnyCapacity) {
    TextGenerator generator(99);
    for (int i = 0; i < 60; ++i) {
        const std::u16string text = generator.next(25, i % 3 == 0).first;
        const int whole = static_cast<int>(encode(text, i % 2 == 0).size());
        for (int capacity = 0; capacity <= whole + 1; ++capacity) {
            checkCutsAt(text, capacity, i % 2 == 0);
            if (HasFatalFailure()) FAIL() << "text " << i << ", capacity " << capacity;
        }
    }
}

// Every character of the Basic Multilingual Plane gets the class and code that searching the
// tables in their order gives (the index the encoder classifies with is built from them).
TEST(EncoderProperties, ClassificationFollowsTheTableOrder) {
    const std::pair<CodeTable, CharClass> order[] = {
        {CodeTable::KanaCommon, CharClass::KanaCommon},
        {CodeTable::Hiragana, CharClass::Hiragana},
        {CodeTable::Katakana, CharClass::Katakana},
        {CodeTable::HalfwidthKatakana, CharClass::HalfwidthKatakana},
        {CodeTable::AdditionalSymbol, CharClass::AdditionalSymbol},
        {CodeTable::KanjiPreference, CharClass::Kanji},
        {CodeTable::Kanji, CharClass::Kanji},
        {CodeTable::Plane1Extra, CharClass::Plane1},
        {CodeTable::Plane2, CharClass::Plane2},
    };
    for (char32_t codePoint = 0x7F; codePoint <= 0xFFFF; ++codePoint) {
        if ((codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint == u'[') continue;
        CharClass expectedClass = CharClass::None;
        std::uint32_t expectedCode = 0;
        for (const auto& [table, charClass] : order) {
            if (const std::uint32_t code = codeForUnicode(table, codePoint)) {
                expectedClass = charClass;
                expectedCode = code;
                break;
            }
        }
        const char16_t unit = static_cast<char16_t>(codePoint);
        const ClassifiedCharacter c = classifyCharacter(&unit, 1, 0);
        ASSERT_EQ(c.charClass, expectedClass) << std::hex << static_cast<std::uint32_t>(codePoint);
        ASSERT_EQ(c.code, expectedCode) << std::hex << static_cast<std::uint32_t>(codePoint);
    }
}

// The symbol tail answers as a scan from each position to the end would.
TEST(EncoderProperties, SymbolTailAnswersAsAScanToTheEnd) {
    // Texts ending in a symbol above U+FFFF, whose last unit alone would be no character.
    const std::u16string fixed[] = {u"[HV]\U00020158", u"\u4E9C[HV]\U00020158", u"\u4E9C[HV]\u304B\u309A"};
    TextGenerator generator(3);
    for (int i = 0; i < 300; ++i) {
        // Short texts, many of them ending in symbols, alphanumerics and controls.
        std::u16string text = i < static_cast<int>(std::size(fixed))
                                  ? fixed[i]
                                  : generator.next(8, i % 2 == 1).first + (i % 3 == 0 ? u"" : u"[HV]A ");
        const TextClassifier classifier(text.data(), static_cast<int>(text.size()));
        std::vector<int> positions;
        std::vector<bool> fits;
        for (int position = 0; position < classifier.length();) {
            const ClassifiedCharacter c = classifier.at(position);
            positions.push_back(position);
            fits.push_back(c.charClass == CharClass::AdditionalSymbol || c.charClass == CharClass::ControlOrSpace ||
                           c.charClass == CharClass::Alphanumeric);
            position += c.units;
        }
        SymbolTail tail(classifier);
        for (std::size_t k = 0; k < positions.size(); ++k) {
            const bool expected =
                std::all_of(fits.begin() + static_cast<std::ptrdiff_t>(k), fits.end(), [](bool f) { return f; });
            ASSERT_EQ(tail.startsAtOrBefore(positions[k]), expected) << "text " << i << " at " << positions[k];
        }
    }
}

// Kana texts of `runs` runs of both sets, lengths 1..`longest`, with other characters between.
std::u16string kanaRunsText(std::mt19937& random, int runs, int longest) {
    // Besides, symbol texts with kana of their own and characters of two units whose second
    // unit lies in the kana block.
    const std::u16string others[] = {u"\u4E9C",       u"A",          u" ",      u"[HV]",     u"\u304B\u309A",
                                     u"\u30FC",       u"\U00020089", u"\uE000", u"[\u30C7]", u"[\u307B\u304B]",
                                     u"\u31F7\u309A", u"\u309A"};
    std::u16string text;
    bool hiragana = random() % 2 == 0;
    for (int run = 0; run < runs; ++run) {
        const int length = std::uniform_int_distribution<int>(1, longest)(random);
        for (int k = 0; k < length; ++k) {
            text += static_cast<char16_t>((hiragana ? 0x3042 : 0x30A2) + random() % 80);
            if (random() % 4 == 0) text += others[random() % std::size(others)];
        }
        if (random() % 5 != 0) hiragana = !hiragana;  // sometimes a run of the same set goes on
    }
    return text;
}

// Every unit the classifier takes for hiragana or katakana passes the scan's quick test.
TEST(EncoderProperties, EveryKanaUnitMayBeKana) {
    for (int unit = 1; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;
        const char16_t text[1] = {static_cast<char16_t>(unit)};
        if (isKanaClass(TextClassifier(text, 1).at(0).charClass)) {
            ASSERT_TRUE(mayBeKana(text[0])) << std::hex << unit;
        }
    }
}

// A scan counts the kana the classifier finds character by character, and groups them alike.
TEST(EncoderProperties, KanaRunsAreThoseOfTheClassifiedText) {
    std::mt19937 random(23);
    for (int i = 0; i < 200; ++i) {
        const std::u16string text = kanaRunsText(random, 1 + static_cast<int>(random() % 30), i % 2 == 0 ? 3 : 7);
        const TextClassifier classifier(text.data(), static_cast<int>(text.size()));
        std::vector<CharClass> kana;
        for (int position = 0; position < classifier.length();) {
            const ClassifiedCharacter c = classifier.at(position);
            if (isKanaClass(c.charClass)) kana.push_back(c.charClass);
            position += c.units;
        }
        if (kana.empty()) continue;
        // The runs from the first kana: one set each, up to five kana or twenty runs.
        std::vector<int> expected;
        CharClass set = kana[0];
        for (CharClass c : kana) {
            if (expected.empty() || c != set) {
                if (expected.size() == static_cast<std::size_t>(KanaRunScan::kMaxRuns)) break;
                expected.push_back(0);
                set = c;
            }
            if (++expected.back() == KanaRunScan::kLongRun) break;
        }
        KanaRunScan scan;
        int first = 0;
        while (!isKanaClass(classifier.at(first).charClass)) first += classifier.at(first).units;
        scan.scanFrom(classifier, first, kana[0]);
        ASSERT_EQ(scan.runCount(), static_cast<int>(expected.size())) << "text " << i;
        for (int run = 0; run < scan.runCount(); ++run)
            ASSERT_EQ(scan.runLength(run), expected[static_cast<std::size_t>(run)]) << "text " << i;
    }
}

// A scan carried over to any kana it counted gives the runs a fresh scan from there gives.
TEST(EncoderProperties, CarriedOverKanaRunsEqualFreshOnes) {
    std::mt19937 random(11);
    for (int i = 0; i < 200; ++i) {
        const std::u16string text = kanaRunsText(random, 1 + static_cast<int>(random() % 50), i % 2 == 0 ? 3 : 7);
        const TextClassifier classifier(text.data(), static_cast<int>(text.size()));
        std::vector<std::pair<int, CharClass>> kana;
        for (int position = 0; position < classifier.length();) {
            const ClassifiedCharacter c = classifier.at(position);
            if (isKanaClass(c.charClass)) kana.emplace_back(position, c.charClass);
            position += c.units;
        }
        if (kana.empty()) continue;
        KanaRunScan first;
        first.scanFrom(classifier, kana[0].first, kana[0].second);
        // Also carried on from kana to kana through the whole text, as the encoder's questions do.
        KanaRunScan chained = first;
        for (const auto& [position, kanaClass] : kana) {
            KanaRunScan carried = first;
            carried.scanOnFrom(classifier, position, kanaClass);
            chained.scanOnFrom(classifier, position, kanaClass);
            KanaRunScan fresh;
            fresh.scanFrom(classifier, position, kanaClass);
            for (const KanaRunScan* scan : {&carried, &chained}) {
                ASSERT_EQ(scan->runCount(), fresh.runCount()) << "text " << i << " at " << position;
                ASSERT_EQ(scan->stop(), fresh.stop()) << "text " << i << " at " << position;
                for (int run = 0; run < fresh.runCount(); ++run) ASSERT_EQ(scan->runLength(run), fresh.runLength(run));
            }
        }
    }
}

// The kana decisions that the encoder carries over from one question to the next equal those of
// a fresh look-ahead, over texts of many short and long kana runs of both sets.
TEST(EncoderProperties, CarriedOverKanaDecisionsEqualFreshOnes) {
    std::mt19937 random(5);
    int questions = 0;
    for (int i = 0; i < 300; ++i) {
        // Mostly short runs, so that twenty of them often come before one of five.
        const std::u16string text = kanaRunsText(random, 1 + static_cast<int>(random() % 60), i % 2 == 0 ? 3 : 7);
        const TextClassifier classifier(text.data(), static_cast<int>(text.size()));
        KanaDecisionLog carried;
        int gr = 2;
        for (int position = 0; position < classifier.length();) {
            const ClassifiedCharacter c = classifier.at(position);
            const int kanaRegister = c.charClass == CharClass::Hiragana ? 2 : 3;
            if (isKanaClass(c.charClass) && gr != kanaRegister) {
                const bool fresh = shouldInvokeKanaSet(classifier, position, c.charClass);
                ASSERT_EQ(carried.decide(classifier, position, c.charClass), fresh)
                    << "text " << i << " at " << position;
                if (fresh) gr = kanaRegister;
                ++questions;
            }
            position += c.units;
        }
    }
    EXPECT_GT(questions, 2000);
}

}  // namespace
}  // namespace arib
