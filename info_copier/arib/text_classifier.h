// classifyCharacter with the common cases inline: ASCII, controls and characters of the Basic
// Multilingual Plane that start no text form take one look-up in the character class index;
// everything else (brackets, surrogates, possible plane 1 sequences) goes the full way.
#pragma once

#include "arib/char_class.h"
#include "arib/char_class_index.h"

namespace arib {

class TextClassifier {
public:
    TextClassifier(const char16_t* src, int srcLength) : src_(src), srcLength_(srcLength), plane_(basicPlaneIndex()) {}

    const char16_t* src() const { return src_; }
    int length() const { return srcLength_; }

    ClassifiedCharacter at(int position) const {
        const char16_t unit = src_[position];
        if (unit < 0x80) {
            if (unit <= 0x20) return {CharClass::ControlOrSpace, unit, 1, unit};
            if (unit != u'[' && unit != 0x7F) return {CharClass::Alphanumeric, unit, 1, unit};
        } else if (unit < 0xD800 || unit > 0xDFFF) {
            const IndexedCharacter& indexed = plane_[unit];
            if (!indexed.mayStartSequence() ||
                (position + 1 < srcLength_ && !plane_[src_[position + 1]].mayContinueSequence()))
                return {indexed.charClass, indexed.code, 1, unit};
        }
        return classifyCharacter(src_, srcLength_, position);
    }

    // The index entry of a unit of the Basic Multilingual Plane outside the surrogates.
    const IndexedCharacter& indexed(char16_t unit) const { return plane_[unit]; }

private:
    const char16_t* src_;
    int srcLength_;
    const IndexedCharacter* plane_;
};

}  // namespace arib
