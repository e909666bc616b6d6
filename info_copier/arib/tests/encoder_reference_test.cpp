// The encoder against a plain reference written straight from the coding rules: each strategy
// run on its own, a fresh look-ahead for every kana question, a scan to the end for every
// additional-symbol question, the kanji code of a kana searched in the tables. The encoder
// shares walks, look-ahead answers and measured bytes between its runs; the bytes must be the
// same.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "arib/arib_text.h"
#include "arib/char_class.h"
#include "arib/char_tables.h"
#include "arib/kana_decision.h"

namespace arib {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ReferenceRun {
public:
    ReferenceRun(const std::u16string& text, bool sizeControls, bool kanjiG0)
        : text_(text), sizeControls_(sizeControls), kanjiG0_(kanjiG0) {}

    Bytes code() {
        const int length = static_cast<int>(text_.size());
        for (int position = 0; position < length;) {
            const ClassifiedCharacter c = classifyCharacter(text_.data(), length, position);
            codeCharacter(c, position);
            position += c.units;
        }
        return out_;
    }

private:
    void put(std::uint8_t byte) { out_.push_back(byte); }
    void putCode(std::uint16_t code) {
        put(static_cast<std::uint8_t>(code >> 8));
        put(static_cast<std::uint8_t>(code & 0xFF));
    }
    void ls0() {
        if (gl_ != 0) {
            put(0x0F);
            gl_ = 0;
        }
    }
    void ls1() {
        if (gl_ != 1) {
            put(0x0E);
            gl_ = 1;
        }
    }
    void nsz() {
        if (sizeControls_ && !sizeNormal_) {
            put(0x8A);
            sizeNormal_ = true;
        }
    }
    void msz() {
        if (sizeControls_ && sizeNormal_) {
            put(0x89);
            sizeNormal_ = false;
        }
    }
    void g0(int f) {
        if (g0_ != f) {
            put(0x1B);
            put(0x24);
            put(static_cast<std::uint8_t>(f));
            g0_ = f;
        }
    }
    void g1TwoByte(int f) {
        if (g1_ != f) {
            put(0x1B);
            put(0x24);
            put(0x29);
            put(static_cast<std::uint8_t>(f));
            g1_ = f;
        }
    }
    void g1OneByte(int f) {
        if (g1_ != f) {
            put(0x1B);
            put(0x29);
            put(static_cast<std::uint8_t>(f));
            g1_ = f;
        }
    }

    bool onlyTailClassesFrom(int position) {
        const int length = static_cast<int>(text_.size());
        for (int at = position; at < length;) {
            const ClassifiedCharacter c = classifyCharacter(text_.data(), length, at);
            if (c.charClass != CharClass::AdditionalSymbol && c.charClass != CharClass::ControlOrSpace &&
                c.charClass != CharClass::Alphanumeric)
                return false;
            at += c.units;
        }
        return true;
    }

    void codeCharacter(const ClassifiedCharacter& c, int position) {
        const int f = finalByte(c.charClass);
        switch (c.charClass) {
            case CharClass::None: return;
            case CharClass::ControlOrSpace:
                if (c.codePoint == U'\t') put(0x09);
                if (c.codePoint == U'\n') put(0x0D);
                if (c.codePoint == U' ') {
                    msz();
                    put(0x20);
                }
                return;
            case CharClass::KanaCommon:
                nsz();
                put(static_cast<std::uint8_t>(c.code | 0x80));
                return;
            case CharClass::Hiragana:
            case CharClass::Katakana: {
                const int kanaRegister = c.charClass == CharClass::Hiragana ? 2 : 3;
                if (gr_ != kanaRegister) {
                    if (!shouldInvokeKanaSet(text_.data(), static_cast<int>(text_.size()), position, c.charClass)) {
                        ls0();
                        nsz();
                        if (!kanjiG0_) g0(0x42);
                        putCode(static_cast<std::uint16_t>(kanjiCodeForUnicode(c.codePoint)));
                        return;
                    }
                    put(0x1B);
                    put(kanaRegister == 2 ? 0x7D : 0x7C);
                    gr_ = kanaRegister;
                }
                nsz();
                put(static_cast<std::uint8_t>(c.code | 0x80));
                return;
            }
            case CharClass::Alphanumeric:
            case CharClass::HalfwidthKatakana:
                ls1();
                msz();
                g1OneByte(f);
                put(static_cast<std::uint8_t>(c.code));
                return;
            default: break;
        }
        // The two-byte sets.
        if (!kanjiG0_) {
            ls0();
            nsz();
            g0(f);
        } else if (c.charClass == CharClass::Kanji) {
            ls0();
            nsz();
        } else if (c.charClass != CharClass::AdditionalSymbol) {
            ls1();
            nsz();
            g1TwoByte(f);
        } else if (g0_ == f) {
            ls0();
            nsz();
        } else if (g1_ == f) {
            ls1();
            nsz();
        } else if (onlyTailClassesFrom(position)) {
            put(0x1B);
            put(0x24);
            put(0x3B);
            g0_ = f;
            ls0();
            nsz();
        } else {
            ls1();
            nsz();
            g1TwoByte(f);
        }
        putCode(c.code);
    }

    const std::u16string& text_;
    bool sizeControls_;
    bool kanjiG0_;
    Bytes out_;
    int gl_ = 0, gr_ = 2, g0_ = 0x42, g1_ = 0x4A;
    bool sizeNormal_ = true;
};

// What encodeAribText stores, by the rule: a whole coding that fits beats a cut one, then the
// shorter, then shared G0.
Bytes referenceEncode(const std::u16string& text, int capacity, bool sizeControls) {
    const Bytes shared = ReferenceRun(text, sizeControls, false).code();
    const Bytes kanji = ReferenceRun(text, sizeControls, true).code();
    const auto forChoice = [&](const Bytes& b) {
        return std::min<std::size_t>(b.size(), static_cast<std::size_t>(capacity) + 1);
    };
    const Bytes& chosen = forChoice(kanji) < forChoice(shared) ? kanji : shared;
    return Bytes(chosen.begin(), chosen.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(
                                                      chosen.size(), static_cast<std::size_t>(capacity))));
}

std::u16string randomText(std::mt19937& random, int maxPieces = 80) {
    // Pieces of every class, weighted towards kana so that the look-ahead is asked often.
    static const std::u16string kPieces[] = {u"\u3042",
                                             u"\u3093",
                                             u"\u309D",
                                             u"\u30A2",
                                             u"\u30F3",
                                             u"\u30FE",
                                             u"\u30FC",
                                             u"\u3002",
                                             u"\u4E9C",
                                             u"\u6F22",
                                             u"\uFF21",
                                             u"\uFF5E",
                                             u"\uFFE3",
                                             u"\uFF71",
                                             u"A",
                                             u"z",
                                             u"[",
                                             u"]",
                                             u" ",
                                             u"\t",
                                             u"\r\n",
                                             u"\n",
                                             u"\u0008",
                                             u"[HV]",
                                             u"[\u624B]",
                                             u"[#90#01]",
                                             u"[#16#01]",
                                             u"\u2460",
                                             u"\u3231",
                                             u"\U00020158",
                                             u"\U00020089",
                                             u"\u304B\u309A",
                                             u"\u02E9\u02E5",
                                             u"\uFF07",
                                             u"\uE000",
                                             u"\xDC00",
                                             u"\xD840",
                                             u"\u007F",
                                             u"\u3042\u3044\u3046",
                                             u"\u30A2\u30A4",
                                             u"\u3048",
                                             u"\u30AB"};
    std::u16string text;
    const int count = std::uniform_int_distribution<int>(0, maxPieces)(random);
    for (int i = 0; i < count; ++i) text += kPieces[random() % std::size(kPieces)];
    return text;
}

TEST(EncoderReference, SameBytesAsThePlainReference) {
    std::mt19937 random(2024);
    for (int i = 0; i < 1500; ++i) {
        const std::u16string text = randomText(random);
        const bool sizeControls = i % 2 == 0;
        const int capacity = i % 3 == 0 ? 1 << 16 : std::uniform_int_distribution<int>(0, 200)(random);
        const Bytes expected = referenceEncode(text, capacity, sizeControls);
        Bytes stored(static_cast<std::size_t>(capacity) + 1);
        const int length =
            encodeAribText(stored.data(), capacity, text.data(), static_cast<int>(text.size()), sizeControls);
        stored.resize(static_cast<std::size_t>(length));
        ASSERT_EQ(stored, expected) << "text " << i << ", capacity " << capacity;
    }
}

// Long texts: the look-ahead carries its runs over from question to question far along the
// text, as it does in long descriptions.
TEST(EncoderReference, LongTextsSameBytesAsThePlainReference) {
    std::mt19937 random(7);
    for (int i = 0; i < 60; ++i) {
        const std::u16string text = randomText(random, 600);
        const bool sizeControls = i % 2 == 0;
        const Bytes expected = referenceEncode(text, 1 << 16, sizeControls);
        Bytes stored((1 << 16) + 1);
        const int length =
            encodeAribText(stored.data(), 1 << 16, text.data(), static_cast<int>(text.size()), sizeControls);
        stored.resize(static_cast<std::size_t>(length));
        ASSERT_EQ(stored, expected) << "text " << i;
    }
}

}  // namespace
}  // namespace arib
