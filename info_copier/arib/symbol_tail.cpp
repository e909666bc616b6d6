#include "arib/symbol_tail.h"

#include "arib/char_class_index.h"

namespace arib {
namespace {

bool fitsSymbolTail(CharClass charClass) {
    return charClass == CharClass::AdditionalSymbol || charClass == CharClass::ControlOrSpace ||
           charClass == CharClass::Alphanumeric;
}

// Where the tail begins, read backwards from the end where that is plain: ASCII controls, space
// and alphanumerics other than brackets and DEL are characters of their own and fit the tail;
// the unit before them is a character of its own unless it can end a longer form (a bracketed
// text ends with ']', a surrogate pair with its low half, a plane 1 sequence with its second
// unit). When that character is outside the tail classes, the tail begins right after it;
// otherwise -1: only a scan from the start of the question tells.
int plainTailStart(const TextClassifier& text) {
    int at = text.length();
    while (at > 0) {
        const char16_t unit = text.src()[at - 1];
        if (unit >= 0x7F || unit == u'[' || unit == u']') break;
        --at;
    }
    if (at == 0) return -1;
    const char16_t last = text.src()[at - 1];
    if (last < 0x80 || (last >= 0xD800 && last <= 0xDFFF)) return -1;
    const IndexedCharacter indexed = indexedCharacter(last);
    if (indexed.mayContinueSequence() || fitsSymbolTail(indexed.charClass)) return -1;
    return at;
}

}  // namespace

bool SymbolTail::startsAtOrBefore(int position) {
    if (scannedFrom_ < 0) {
        const int plainStart = plainTailStart(text_);
        if (plainStart >= 0) {
            scannedFrom_ = 0;
            start_ = plainStart;
        }
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
