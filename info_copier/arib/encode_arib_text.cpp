// Codes UTF-16 text with the shorter of the two designation strategies.
#include <algorithm>

#include "arib/arib_text.h"
#include "arib/encoder_strategies.h"
#include "arib/kanji_g0_coder.h"
#include "arib/shared_g0_coder.h"

namespace arib {
namespace {

std::int64_t lengthForChoice(const EncoderOutput& output, int capacity) {
    // Every length beyond the capacity counts the same: cut.
    const std::int64_t overflowing = static_cast<std::int64_t>(capacity > 0 ? capacity : 0) + 1;
    return std::min(output.count(), overflowing);
}

}  // namespace

int encodeAribText(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls) {
    StrategyText text(src, src != nullptr ? srcLength : 0);
    // Both strategies measure the whole text in one walk, each with its own state, which is the
    // same as measuring them one after the other; the look-ahead answers serve both.
    char8_t sharedStart[kMeasuringRoom];
    char8_t kanjiStart[kMeasuringRoom];
    EncoderOutput sharedG0(sharedStart, kMeasuringRoom);
    EncoderOutput kanjiG0(kanjiStart, kMeasuringRoom);
    {
        SharedG0Coder sharedCoder(sharedG0, text, sizeControls);
        KanjiG0Coder kanjiCoder(kanjiG0, text, sizeControls);
        walkText(text.text, sharedCoder, kanjiCoder);
    }

    // A strategy whose whole text fits the capacity beats one that would be cut, even when the
    // cut one also fills the capacity exactly; when both fit the shorter wins, when neither
    // does both are cut alike. Ties go to shared G0.
    const bool kanjiG0Wins = lengthForChoice(kanjiG0, dstCapacity) < lengthForChoice(sharedG0, dstCapacity);
    // Longer than the measuring room, the chosen strategy codes the text again for the rest,
    // into the other strategy's buffer.
    return deliverCoding(dst, dstCapacity, kanjiG0Wins ? kanjiG0 : sharedG0, kanjiG0Wins ? kanjiStart : sharedStart,
                         kanjiG0Wins ? sharedStart : kanjiStart, kMeasuringRoom, [&](EncoderOutput& output) {
                             text.rewind();
                             if (kanjiG0Wins) {
                                 codeKanjiG0(output, text, sizeControls);
                             } else {
                                 codeSharedG0(output, text, sizeControls);
                             }
                         });
}

}  // namespace arib
