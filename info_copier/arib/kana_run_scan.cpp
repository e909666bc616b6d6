#include "arib/kana_run_scan.h"

#include <algorithm>

namespace arib {

void KanaRunScan::scanFrom(const TextClassifier& text, int position, CharClass kanaClass) {
    runs_[0] = {kanaClass, 0, 0};
    firstRun_ = 0;
    runCount_ = 1;
    firstPosition_ = 0;
    positionEnd_ = 0;
    resumeAt_ = position;
    scan(text);
}

void KanaRunScan::scanOnFrom(const TextClassifier& text, int position, CharClass kanaClass) {
    if (!carryOver(position)) {
        scanFrom(text, position, kanaClass);
        return;
    }
    // The runs after the new first one are the same. A scan from here stops at the same place,
    // except where the first run no longer reaches five characters or fewer than twenty runs
    // are left: there it reads on.
    const bool longRunShortened = stop_ == Stop::LongRun && lastRun().length < kLongRun;
    const bool roomForRuns = stop_ == Stop::RunLimit && runCount_ < kMaxRuns;
    if (longRunShortened || roomForRuns) scan(text);
}

// Makes the run holding the kana at `position` the first run, starting at that kana; false when
// the previous scan did not count it.
bool KanaRunScan::carryOver(int position) {
    const auto begin = positions_.begin() + firstPosition_;
    const auto end = positions_.begin() + positionEnd_;
    const auto counted = std::lower_bound(begin, end, position);
    if (counted == end || *counted != position) return false;
    const int dropped = static_cast<int>(counted - positions_.begin());
    int run = firstRun_;
    while (runs_[static_cast<std::size_t>(run)].first + runs_[static_cast<std::size_t>(run)].length <= dropped) ++run;
    Run& first = runs_[static_cast<std::size_t>(run)];
    first.length -= dropped - first.first;
    first.first = dropped;
    runCount_ -= run - firstRun_;
    firstRun_ = run;
    firstPosition_ = dropped;
    return true;
}

void KanaRunScan::compact() {
    const int shift = firstPosition_;
    std::copy(runs_.begin() + firstRun_, runs_.begin() + firstRun_ + runCount_, runs_.begin());
    for (int i = 0; i < runCount_; ++i) runs_[static_cast<std::size_t>(i)].first -= shift;
    std::copy(positions_.begin() + firstPosition_, positions_.begin() + positionEnd_, positions_.begin());
    firstRun_ = 0;
    positionEnd_ -= shift;
    firstPosition_ = 0;
}

void KanaRunScan::scan(const TextClassifier& text) {
    // The runs in use never number more than kMaxRuns, nor their kana more than kMaxRuns * kLongRun:
    // where the arrays have less room than that from the first ones in use, those move to the
    // front first.
    if (firstRun_ + kMaxRuns > static_cast<int>(runs_.size()) ||
        firstPosition_ + kMaxRuns * kLongRun > static_cast<int>(positions_.size()))
        compact();
    const char16_t* const units = text.src();
    while (resumeAt_ < text.length()) {
        // Most of what lies between kana is passed over unit by unit, unclassified.
        if (!mayBeKana(units[resumeAt_])) {
            ++resumeAt_;
            continue;
        }
        const ClassifiedCharacter c = text.at(resumeAt_);
        if (!isKanaClass(c.charClass)) {  // other characters do not break a run
            resumeAt_ += c.units;
            continue;
        }
        if (c.charClass != lastRun().set) {
            if (runCount_ == kMaxRuns) {
                stop_ = Stop::RunLimit;  // this kana is read again if the scan goes on
                return;
            }
            runs_[static_cast<std::size_t>(firstRun_ + runCount_++)] = {c.charClass, 0, positionEnd_};
        }
        positions_[static_cast<std::size_t>(positionEnd_++)] = resumeAt_;
        resumeAt_ += c.units;
        if (++lastRun().length == kLongRun) {
            stop_ = Stop::LongRun;
            return;
        }
    }
    stop_ = Stop::EndOfText;
}

}  // namespace arib
