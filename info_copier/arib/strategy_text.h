// A text being coded, with what the strategy runs over it share: the classifier and the
// answers of the two look-aheads, which depend on neither the strategy nor the state.
#pragma once

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
            position += c.units;
            continue;
        }
        if (isKanaClass(c.charClass)) {
            (coders.codeKana(c, position), ...);
            position += c.units;
            continue;
        }
        switch (c.charClass) {
        case CharClass::ControlOrSpace:
            (coders.codeControlOrSpace(c), ...);
            break;
        case CharClass::KanaCommon:
            (coders.codeKanaCommon(c), ...);
            break;
        case CharClass::Hiragana:
        case CharClass::Katakana:
            (coders.codeKana(c, position), ...);
            break;
        case CharClass::Kanji:
            (coders.codeKanji(c), ...);
            break;
        case CharClass::Plane1:
        case CharClass::Plane2:
            (coders.codeJisPlane(c), ...);
            break;
        case CharClass::AdditionalSymbol:
            (coders.codeAdditionalSymbol(c, position), ...);
            break;
        case CharClass::Alphanumeric:
        case CharClass::HalfwidthKatakana:
            (coders.codeOneByteSet(c), ...);
            break;
        case CharClass::None:
            break;  // dropped
        }
        position += c.units;
    }
}

}  // namespace arib
