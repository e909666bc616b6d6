// A text being coded, with what the strategy runs over it share: the classifier and the
// answers of the two look-aheads, which depend on neither the strategy nor the state.
#pragma once

#include <array>
#include <cstdint>

#include "arib/kana_decision.h"
#include "arib/symbol_tail.h"
#include "arib/text_classifier.h"

namespace arib {

struct StrategyText {
    StrategyText(const char16_t* src, int srcLength) : text(src, srcLength), symbolTail(text) {}
    StrategyText(const StrategyText&) = delete;
    StrategyText& operator=(const StrategyText&) = delete;

    // Call before each further walk over the text.
    void rewind() { kanaDecisions.rewind(); }

    TextClassifier text;
    KanaDecisionLog kanaDecisions;
    SymbolTail symbolTail;
};

// Codes kanji, and kana that take one GR byte (`kanaInGR`, or the six that both kana sets
// hold), from `position` on into `outputs`, while each has room for two bytes; answers where
// it stopped. Kanji and kana alternate all the time, so the two are told apart without a
// branch.
template <typename... Outputs>
int codeKanjiAndGRKana(const TextClassifier& text, int position, CharClass kanaInGR, Outputs&... outputs) {
    // The classes that such a character may have, as bits by class value (all of them differ
    // in their low six bits except Kanji and KanaCommon, both wanted).
    const std::uint64_t wanted = std::uint64_t{1} << (finalByte(CharClass::Kanji) & 63u) |
                                 std::uint64_t{1} << (finalByte(CharClass::KanaCommon) & 63u) |
                                 std::uint64_t{1} << (finalByte(kanaInGR) & 63u);
    const char16_t* const units = text.src();
    while (position < text.length() && (outputs.hasRoomForTwo() && ...)) {
        const char16_t unit = units[position];
        if (unit < 0x80 || (unit >= 0xD800 && unit <= 0xDFFF)) break;
        const IndexedCharacter& indexed = text.indexed(unit);
        const std::uint32_t charClass = finalByte(indexed.charClass);
        if (indexed.mayStartSequence() || ((wanted >> (charClass & 63u)) & 1u) == 0) break;
        const std::uint32_t kanji = charClass == finalByte(CharClass::Kanji);
        const std::uint32_t code = indexed.code;
        const auto first = static_cast<std::uint8_t>(kanji != 0 ? code >> 8 : code | 0x80);
        const auto second = static_cast<std::uint8_t>(code);
        (outputs.putOneOrTwo(first, second, 1 + kanji), ...);
        ++position;
    }
    return position;
}

// Runs `codeRun(outputs...)` on copies of the coders' outputs, so that their positions stay in
// registers, and hands the positions back; answers what the run answers.
template <typename CodeRun, typename... Coders>
int onOutputCopies(CodeRun codeRun, Coders&... coders) {
    return [&](auto... outputs) {
        const int stop = codeRun(outputs...);
        ((coders.writer().output() = outputs), ...);
        return stop;
    }(coders.writer().output()...);
}

// After a kanji every coder has kanji in GL and normal size, and so it stays while kanji and
// kana of the set in GR follow (the look-ahead is asked only where a kana meets the other
// set): each of those characters is nothing but its bytes, two for a kanji and one GR byte for
// a kana, for every coder alike. Codes such characters from `position` on and answers where
// it stopped.
template <typename... Coders>
int codeKanjiAndKanaRun(const TextClassifier& text, int position, Coders&... coders) {
    const int grs[] = {coders.writer().state().GR...};
    const int gr = grs[0];
    if (((coders.writer().state().GR != gr) || ...)) return position;
    const CharClass kanaInGR = gr == 2 ? CharClass::Hiragana : gr == 3 ? CharClass::Katakana : CharClass::Kanji;
    return onOutputCopies([&](auto&... outputs) { return codeKanjiAndGRKana(text, position, kanaInGR, outputs...); },
                          coders...);
}

// After an alphanumeric character every coder has the alphanumeric set in GL and middle size,
// and so it stays while alphanumerics, spaces, tabs and line feeds follow: each of them is one
// byte, the same for every coder. Their bytes by UTF-16 unit; 0 for every other unit ('[' may
// start a symbol text).
inline constexpr std::array<std::uint8_t, 0x80> kAsciiRunBytes = [] {
    std::array<std::uint8_t, 0x80> bytes{};
    for (std::uint32_t unit = 0x20; unit < 0x7F; ++unit) bytes[unit] = static_cast<std::uint8_t>(unit);
    bytes[u'['] = 0;
    bytes[u'\t'] = 0x09;  // APF
    bytes[u'\n'] = 0x0D;  // APR
    return bytes;
}();

template <typename... Outputs>
int codeAsciiRun(const TextClassifier& text, int position, Outputs&... outputs) {
    const char16_t* const units = text.src();
    while (position < text.length() && (outputs.hasRoomForTwo() && ...)) {
        const char16_t unit = units[position];
        if (unit >= 0x80) break;
        const std::uint8_t byte = kAsciiRunBytes[unit];
        if (byte == 0) break;
        (outputs.putOneOrTwo(byte, byte, 1), ...);
        ++position;
    }
    return position;
}

template <typename... Coders>
int codeAlphanumericRun(const TextClassifier& text, int position, Coders&... coders) {
    return onOutputCopies([&](auto&... outputs) { return codeAsciiRun(text, position, outputs...); }, coders...);
}

// One walk over the text: every character is classified once and handed, by its class, to
// each coder in turn.
template <typename... Coders>
void walkText(const TextClassifier& text, Coders&... coders) {
    int position = 0;
    while (position < text.length()) {
        const ClassifiedCharacter c = text.at(position);
        // Kanji and kana make up most of any programme text: tested first, by plain compares
        // that predict better than the jump of the switch.
        if (c.charClass == CharClass::Kanji) {
            (coders.codeKanji(c), ...);
            position = codeKanjiAndKanaRun(text, position + c.units, coders...);
            continue;
        }
        if (isKanaClass(c.charClass)) {
            (coders.codeKana(c, position), ...);
            position += c.units;
            // Kana runs often start after a symbol or a space; once every coder is ready for
            // kanji, they go on as after a kanji.
            if ((coders.writer().state().readyForKanji() && ...))
                position = codeKanjiAndKanaRun(text, position, coders...);
            continue;
        }
        switch (c.charClass) {
            case CharClass::ControlOrSpace: (coders.codeControlOrSpace(c), ...); break;
            case CharClass::KanaCommon: (coders.codeKanaCommon(c), ...); break;
            case CharClass::Hiragana:
            case CharClass::Katakana: (coders.codeKana(c, position), ...); break;
            case CharClass::Kanji: (coders.codeKanji(c), ...); break;
            case CharClass::Plane1:
            case CharClass::Plane2: (coders.codeJisPlane(c), ...); break;
            case CharClass::AdditionalSymbol: (coders.codeAdditionalSymbol(c, position), ...); break;
            case CharClass::Alphanumeric:
                (coders.codeOneByteSet(c), ...);
                position = codeAlphanumericRun(text, position + c.units, coders...);
                continue;
            case CharClass::HalfwidthKatakana: (coders.codeOneByteSet(c), ...); break;
            case CharClass::None: break;  // dropped
        }
        position += c.units;
    }
}

}  // namespace arib
