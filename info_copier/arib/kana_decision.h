// Whether a run of hiragana or katakana should be coded by invoking its set into GR.
#pragma once

#include <array>
#include <cstdint>

#include "arib/char_class.h"
#include "arib/kana_run_scan.h"
#include "arib/text_classifier.h"

namespace arib {

// Called at a hiragana (katakana) character while GR holds the other kana set. Looks ahead over
// the kana runs that follow and answers true when invoking the set now (a 2-byte locking shift,
// then one byte per character) costs no more than coding the character through the kanji set.
bool shouldInvokeKanaSet(const char16_t* src, int srcLength, int position, CharClass kanaClass);
bool shouldInvokeKanaSet(const TextClassifier& text, int position, CharClass kanaClass);
// The same answer from runs already scanned.
bool shouldInvokeKanaSet(const KanaRunScan& runs);

// The answers of shouldInvokeKanaSet over one text, kept for the following strategy runs over
// the same text. The question comes up where a kana meets GR holding the other set, and only
// kana decisions move GR, so every run over a text asks the same questions in the same order
// (when two runs share a walk, both ask each question in turn); a question that does not match
// the record (or lies beyond its fixed room) is worked out anew, from the runs of the previous
// question where they reach that far.
class KanaDecisionLog {
public:
    bool decide(const TextClassifier& text, int position, CharClass kanaClass);
    // The next run reads the record from its start.
    void rewind() {
        next_ = 0;
        lastPosition_ = -1;
    }

private:
    static constexpr std::size_t kCapacity = 2048;
    std::array<std::uint32_t, kCapacity> entries_;  // position * 2 + answer
    std::size_t recorded_ = 0;
    std::size_t next_ = 0;
    int lastPosition_ = -1;
    bool lastAnswer_ = false;
    KanaRunScan runs_;
};

}  // namespace arib
