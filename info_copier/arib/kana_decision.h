// Whether a run of hiragana or katakana should be coded by invoking its set into GR.
#pragma once

#include "arib/char_class.h"
#include "arib/text_classifier.h"

namespace arib {

// Called at a hiragana (katakana) character while GR holds the other kana set. Looks ahead over
// the kana runs that follow and answers true when invoking the set now (a 2-byte locking shift,
// then one byte per character) costs no more than coding the character through the kanji set.
bool shouldInvokeKanaSet(const char16_t* src, int srcLength, int position, CharClass kanaClass);
bool shouldInvokeKanaSet(const TextClassifier& text, int position, CharClass kanaClass);

}  // namespace arib
