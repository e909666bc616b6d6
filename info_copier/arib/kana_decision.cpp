// Choosing between a locking shift into GR and the kanji set for kana.
//
// A kana character costs one GR byte when its set is invoked into GR, two bytes through the
// kanji set, and invoking a set costs a 2-byte locking shift (LS2R or LS3R). The look-ahead
// groups the kana that follow into runs of one set and compares the cheapest coding of those
// runs that starts with a shift against the cheapest that starts through the kanji set.
#include "arib/kana_decision.h"

#include <algorithm>

namespace arib {
namespace {

constexpr int kLockingShiftBytes = 2;

// Cheapest totals for the runs, run 0 coded by shifting or through the kanji set, both plans
// worked out in the same pass. Even runs are of the current set, odd runs of the other; GR
// starts on the other set.
struct PlanCosts {
    int shiftFirst, kanjiSetFirst;
};

PlanCosts cheapestPlans(const KanaRunScan& runs) {
    constexpr int kUnreachable = 1 << 24;
    const int first = runs.runLength(0);
    // Cost so far of each plan, by the set GR holds: index 0 the current set, 1 the other.
    int shift[2] = {kLockingShiftBytes + first, kUnreachable};
    int kanjiSet[2] = {kUnreachable, 2 * first};
    for (int i = 1; i < runs.runCount(); ++i) {
        const int length = runs.runLength(i);
        const int held = i % 2;  // the set of this run
        const int other = 1 - held;
        auto codeRun = [&](int(&best)[2]) {
            best[held] = std::min(best[held] + length, best[other] + kLockingShiftBytes + length);
            best[other] += 2 * length;  // through the kanji set, GR unchanged
        };
        codeRun(shift);
        codeRun(kanjiSet);
    }
    return {std::min(shift[0], shift[1]), std::min(kanjiSet[0], kanjiSet[1])};
}

}  // namespace

bool shouldInvokeKanaSet(const char16_t* src, int srcLength, int position, CharClass kanaClass) {
    return shouldInvokeKanaSet(TextClassifier(src, srcLength), position, kanaClass);
}

bool shouldInvokeKanaSet(const TextClassifier& text, int position, CharClass kanaClass) {
    KanaRunScan runs;
    runs.scanFrom(text, position, kanaClass);
    return shouldInvokeKanaSet(runs);
}

bool shouldInvokeKanaSet(const KanaRunScan& runs) {
    if (runs.runLength(0) == 1) return false;
    if (runs.stop() == KanaRunScan::Stop::LongRun && runs.runCount() == 1) return true;
    if (runs.stop() == KanaRunScan::Stop::RunLimit) return false;
    const PlanCosts costs = cheapestPlans(runs);
    return costs.kanjiSetFirst >= costs.shiftFirst;
}

}  // namespace arib

namespace arib {

bool KanaDecisionLog::decide(const TextClassifier& text, int position, CharClass kanaClass) {
    if (position == lastPosition_) return lastAnswer_;  // the other coder of the same walk
    bool answer;
    if (next_ < recorded_ && entries_[next_] >> 1 == static_cast<std::uint32_t>(position)) {
        answer = (entries_[next_++] & 1) != 0;
    } else {
        runs_.scanOnFrom(text, position, kanaClass);
        answer = shouldInvokeKanaSet(runs_);
        if (next_ == recorded_ && recorded_ < kCapacity) {
            entries_[recorded_++] = static_cast<std::uint32_t>(position) * 2 + (answer ? 1 : 0);
            next_ = recorded_;
        }
    }
    lastPosition_ = position;
    lastAnswer_ = answer;
    return answer;
}

}  // namespace arib
