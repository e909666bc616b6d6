#include "arib/kana_run_scan.h"

#include <algorithm>

namespace arib {

void KanaRunScan::scanFrom(const TextClassifier& text, int position, CharClass kanaClass) {
    runs_[0] = {kanaClass, 0, 0};
    runCount_ = 1;
    positionCount_ = 0;
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
    const bool longRunShortened = stop_ == Stop::LongRun && runs_[static_cast<std::size_t>(runCount_ - 1)].length < longRun;
    const bool roomForRuns = stop_ == Stop::RunLimit && runCount_ < maxRuns;
    if (longRunShortened || roomForRuns) scan(text);
}

// Makes the run holding the kana at `position` the first run, starting at that kana; false when
// the previous scan did not count it.
bool KanaRunScan::carryOver(int position) {
    const auto counted = std::lower_bound(positions_.begin(), positions_.begin() + positionCount_, position);
    if (counted == positions_.begin() + positionCount_ || *counted != position) return false;
    const int dropped = static_cast<int>(counted - positions_.begin());
    int run = 0;
    while (runs_[static_cast<std::size_t>(run)].first + runs_[static_cast<std::size_t>(run)].length <= dropped) ++run;
    const int droppedOfRun = dropped - runs_[static_cast<std::size_t>(run)].first;
    std::copy(runs_.begin() + run, runs_.begin() + runCount_, runs_.begin());
    runCount_ -= run;
    for (int i = 0; i < runCount_; ++i) runs_[static_cast<std::size_t>(i)].first -= dropped;
    runs_[0].first = 0;
    runs_[0].length -= droppedOfRun;
    std::copy(positions_.begin() + dropped, positions_.begin() + positionCount_, positions_.begin());
    positionCount_ -= dropped;
    return true;
}

void KanaRunScan::scan(const TextClassifier& text) {
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
        if (c.charClass != runs_[static_cast<std::size_t>(runCount_ - 1)].set) {
            if (runCount_ == maxRuns) {
                stop_ = Stop::RunLimit;  // this kana is read again if the scan goes on
                return;
            }
            runs_[static_cast<std::size_t>(runCount_++)] = {c.charClass, 0, positionCount_};
        }
        positions_[static_cast<std::size_t>(positionCount_++)] = resumeAt_;
        resumeAt_ += c.units;
        if (++runs_[static_cast<std::size_t>(runCount_ - 1)].length == longRun) {
            stop_ = Stop::LongRun;
            return;
        }
    }
    stop_ = Stop::EndOfText;
}

}  // namespace arib
