// Choosing between a locking shift into GR and the kanji set for kana.
//
// A kana character costs one GR byte when its set is invoked into GR, two bytes through the
// kanji set, and invoking a set costs a 2-byte locking shift (LS2R or LS3R). The look-ahead
// groups the kana that follow into runs of one set and compares the cheapest coding of those
// runs that starts with a shift against the cheapest that starts through the kanji set.
#include "arib/kana_decision.h"

#include <algorithm>
#include <array>

namespace arib {
namespace {

constexpr int maxRuns = 20;
constexpr int longRun = 5;  // a run this long is always worth the shift
constexpr int lockingShiftBytes = 2;

struct KanaRuns {
    std::array<int, maxRuns> lengths{};
    int count = 0;
    bool runLimitReached = false;  // a twenty-first run would have begun
    bool longRunReached = false;
};

KanaRuns scanKanaRuns(const TextClassifier& text, int position, CharClass kanaClass) {
    KanaRuns runs;
    runs.count = 1;
    CharClass runClass = kanaClass;
    int at = position;
    while (at < text.length()) {
        const ClassifiedCharacter c = text.at(at);
        at += c.units;
        if (!isKanaClass(c.charClass)) continue;  // other characters do not break a run
        if (c.charClass != runClass) {
            // A first run of one character already settles the answer.
            if (runs.count == 1 && runs.lengths[0] == 1) break;
            if (runs.count == maxRuns) {
                runs.runLimitReached = true;
                break;
            }
            runClass = c.charClass;
            ++runs.count;
        }
        if (++runs.lengths[runs.count - 1] == longRun) {
            runs.longRunReached = true;
            break;
        }
    }
    return runs;
}

// Cheapest total for the runs, run 0 coded by shifting (`shiftFirst`) or through the kanji
// set. Even runs are of the current set, odd runs of the other; GR starts on the other set.
int cheapestPlan(const KanaRuns& runs, bool shiftFirst) {
    constexpr int unreachable = 1 << 24;
    const int first = runs.lengths[0];
    // Cost so far, by the set GR holds: index 0 the current set, 1 the other.
    int best[2] = {unreachable, unreachable};
    if (shiftFirst) {
        best[0] = lockingShiftBytes + first;
    } else {
        best[1] = 2 * first;
    }
    for (int i = 1; i < runs.count; ++i) {
        const int length = runs.lengths[i];
        const int held = i % 2;  // the set of this run
        const int other = 1 - held;
        const int staying = best[held] + length;
        const int shifting = best[other] + lockingShiftBytes + length;
        best[held] = std::min(staying, shifting);
        best[other] += 2 * length;  // through the kanji set, GR unchanged
    }
    return std::min(best[0], best[1]);
}

}  // namespace

bool shouldInvokeKanaSet(const char16_t* src, int srcLength, int position, CharClass kanaClass) {
    return shouldInvokeKanaSet(TextClassifier(src, srcLength), position, kanaClass);
}

bool shouldInvokeKanaSet(const TextClassifier& text, int position, CharClass kanaClass) {
    const KanaRuns runs = scanKanaRuns(text, position, kanaClass);
    if (runs.lengths[0] == 1) return false;
    if (runs.longRunReached && runs.count == 1) return true;
    if (runs.runLimitReached) return false;
    return cheapestPlan(runs, false) >= cheapestPlan(runs, true);
}

}  // namespace arib

namespace arib {

bool KanaDecisionLog::decide(const TextClassifier& text, int position, CharClass kanaClass) {
    if (position == lastPosition_) return lastAnswer_;  // the other coder of the same walk
    bool answer;
    if (next_ < recorded_ && (entries_[next_] >> 1) == position) {
        answer = (entries_[next_++] & 1) != 0;
    } else {
        answer = shouldInvokeKanaSet(text, position, kanaClass);
        if (next_ == recorded_ && recorded_ < capacity) {
            entries_[recorded_++] = position * 2 + (answer ? 1 : 0);
            next_ = recorded_;
        }
    }
    lastPosition_ = position;
    lastAnswer_ = answer;
    return answer;
}

}  // namespace arib
