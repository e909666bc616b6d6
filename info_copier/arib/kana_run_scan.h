// The kana runs ahead of a kana character: hiragana and katakana grouped into runs of one set,
// other characters passed over, until a run reaches five characters, a twenty-first run would
// begin, or the text ends.
#pragma once

#include <array>

#include "arib/char_class.h"
#include "arib/text_classifier.h"

namespace arib {

// Whether a character that starts with this unit may be hiragana or katakana, or hold one: every
// kana lies in the kana block U+3041..U+30FF, and of the characters of several units only the
// bracketed symbol texts ('[' ...) hold kana. A character that starts elsewhere is passed over
// unit by unit; none of its later units passes this test as a kana of its own.
inline bool mayBeKana(char16_t unit) { return static_cast<char16_t>(unit - 0x3041) <= 0x30FF - 0x3041 || unit == u'['; }

class KanaRunScan {
public:
    static constexpr int kMaxRuns = 20;
    static constexpr int kLongRun = 5;
    enum class Stop { EndOfText, LongRun, RunLimit };

    // Scans from the kana at `position`, of `kanaClass`, afresh.
    void scanFrom(const TextClassifier& text, int position, CharClass kanaClass);

    // The same result, carried over from the previous scan over the same text where the kana at
    // `position` is one that scan counted: the runs from there on are known, and the scan goes
    // on only where a scan from there would see further.
    void scanOnFrom(const TextClassifier& text, int position, CharClass kanaClass);

    int runCount() const { return runCount_; }
    int runLength(int index) const { return runs_[static_cast<std::size_t>(firstRun_ + index)].length; }
    // kLongRun: the last run reached five characters. kRunLimit: a twenty-first run would begin.
    Stop stop() const { return stop_; }

private:
    struct Run {
        CharClass set;
        int length;
        int first;  // index of its first character in positions_
    };

    Run& lastRun() { return runs_[static_cast<std::size_t>(firstRun_ + runCount_ - 1)]; }
    bool carryOver(int position);
    void scan(const TextClassifier& text);
    // Moves the runs and positions in use to the start of their arrays, making room behind.
    void compact();

    // The runs in use are runs_[firstRun_ .. firstRun_ + runCount_), the positions in use
    // positions_[firstPosition_ .. positionEnd_): carrying a scan over to a later kana only
    // moves where they start.
    std::array<Run, 2 * kMaxRuns> runs_{};
    std::array<int, 2 * kMaxRuns * kLongRun> positions_{};  // where each counted kana is, in order
    int firstRun_ = 0;
    int runCount_ = 0;
    int firstPosition_ = 0;
    int positionEnd_ = 0;
    int resumeAt_ = 0;  // the next unit the scan would read
    Stop stop_ = Stop::EndOfText;
};

}  // namespace arib
