// Whether every character from a position to the end of the text is an additional symbol, an
// alphanumeric or a control: then no character that needs kanji in G0 follows.
#pragma once

#include "arib/text_classifier.h"

namespace arib {

// Answered from one scan to the end of the text, made on the first question; a question at an
// earlier position than the scan's start scans again from there.
class SymbolTail {
public:
    explicit SymbolTail(const TextClassifier& text) : text_(text) {}

    // `position` must be a character boundary of the walk from the start of the text.
    bool startsAtOrBefore(int position);

private:
    const TextClassifier& text_;
    int scannedFrom_ = -1;
    int start_ = 0;  // the tail begins here
};

}  // namespace arib
