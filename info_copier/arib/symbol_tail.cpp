#include "arib/symbol_tail.h"

#include "arib/char_class_index.h"

namespace arib {
namespace {

bool fitsSymbolTail(CharClass charClass) {
    return charClass == CharClass::AdditionalSymbol || charClass == CharClass::ControlOrSpace ||
           charClass == CharClass::Alphanumeric;
}

// The last unit is a character of its own unless it can end a longer form: a bracketed text
// (']'), a surrogate pair (low half) or a plane 1 sequence. Such a last character outside the
// tail classes leaves the tail empty, with no need to scan.
bool endsOutsideTail(const TextClassifier& text) {
    if (text.length() <= 0) return false;
    const char16_t last = text.src()[text.length() - 1];
    if (last < 0x80 || (last >= 0xD800 && last <= 0xDFFF)) return false;
    const IndexedCharacter indexed = indexedCharacter(last);
    return !indexed.mayContinueSequence() && !fitsSymbolTail(indexed.charClass);
}

}  // namespace

bool SymbolTail::startsAtOrBefore(int position) {
    if (scannedFrom_ < 0 && endsOutsideTail(text_)) {
        scannedFrom_ = 0;
        start_ = text_.length();
    }
    if (scannedFrom_ < 0 || position < scannedFrom_) {
        scannedFrom_ = position;
        start_ = position;
        for (int at = position; at < text_.length();) {
            const ClassifiedCharacter c = text_.at(at);
            at += c.units;
            if (!fitsSymbolTail(c.charClass)) start_ = at;
        }
    }
    return position >= start_;
}

}  // namespace arib
