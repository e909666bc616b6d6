#include "arib/symbol_tail.h"

namespace arib {
namespace {

bool fitsSymbolTail(CharClass charClass) {
    return charClass == CharClass::AdditionalSymbol || charClass == CharClass::ControlOrSpace ||
           charClass == CharClass::Alphanumeric;
}

}  // namespace

bool SymbolTail::startsAtOrBefore(int position) {
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
