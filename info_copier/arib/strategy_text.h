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

// One walk over the text: every character, classified once, goes to each coder in turn.
template <typename... Coders>
void walkText(const TextClassifier& text, Coders&... coders) {
    int position = 0;
    while (position < text.length()) {
        const ClassifiedCharacter c = text.at(position);
        (coders.code(c, position), ...);
        position += c.units;
    }
}

}  // namespace arib
