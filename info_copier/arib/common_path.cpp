// The decoder's common path: most of any programme text, decoded with as few branches and
// memory accesses per character as possible.
#include "arib/common_path.h"

#include <limits>

#include "arib/char_tables.h"
#include "arib/code_sets.h"
#include "arib/control_codes.h"

namespace arib {
namespace {

// The frequent controls are told apart by comparing the byte itself, which settles each test
// sooner than a look-up would.
static_assert((c0::LS1 | 1u) == c0::LS0, "LS1 and LS0 differ only in the last bit");
static_assert((esc::LS3R | 1u) == esc::LS2R, "LS3R and LS2R differ only in the last bit");

// No byte yields more than eight units (a text of at most 16 units for a two-byte symbol);
// below that the capacity cannot be reached within the rest of the input.
constexpr std::int64_t kMaxUnitsPerByte = kMaxSequenceUnits / 2;

// What a step of the common path did, for the loop to go on with.
enum class Step {
    Carried,  // one character done, and the byte after it already in hand
    Done,     // the step is done; the next byte is to be read
    Stop,     // the common path ends here, before or after the step
};

// The common path: characters that are one look-up and one unit, stored straight from the
// indexes (when `storing`) and counted, and control bytes, applied as anywhere else without
// leaving the loop. Stops at anything else (a character with no single-unit entry or text,
// the limit when `checked`, a control that leaves a single shift waiting or starts
// suppression, and when `checked` the last two bytes). Only entered with no single shift
// waiting and no suppression. Kanji in the left half and kana in the right alternate all the
// time, so the set of a half is picked by the byte's top bit and its slot and length follow
// from the set's shape, without a branch. Every member is inlined into `run`, so that the
// object lives in registers.
template <bool storing, bool checked>
class CommonRun {
public:
    CommonRun(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state, RegisterSets& sets,
              DecoderOutput& output, std::int64_t limit)
        : at_(at),
          end_(end),
          // The first of the last two bytes: the main loop reads two bytes ahead.
          stop_(end - at >= 3 ? end - 2 : at),
          state_(state),
          sets_(sets),
          output_(output),
          dst_(output.destination()),
          stored_(output.count()),
          limit_(limit) {
        invoke();
    }

    // Decodes as far as the common path goes; answers where it stopped.
    const std::uint8_t* run() {
        // The next byte is carried from one character to the next, picked from the two bytes
        // after the current one: they are loaded while the current one is looked up, so that
        // the step from one character to the next does not wait for a load. The last two bytes
        // are taken after the loop. (The steps are picked by an if, not a conditional
        // expression: only so does GCC keep the graphic step a loop of its own, some 5 % faster.)
        std::uint32_t byte = at_ < stop_ ? at_[0] : 0;
        while (at_ < stop_) {
            if (isGraphic(byte)) {
                const Step step = graphicStep(byte);
                if (step == Step::Carried) continue;
                if (step == Step::Stop) break;
            } else if (controlStep(byte) == Step::Stop) {
                break;
            }
            if constexpr (!checked) oneByteRun();
            if (at_ >= stop_) break;
            byte = at_[0];
        }
        if constexpr (!checked) lastBytes();
        output_.setCount(stored_);
        return at_;
    }

private:
    static bool isGraphic(std::uint32_t byte) { return (byte & 0x7Fu) - 0x21u < std::uint32_t{kCellsPerRow}; }

    std::span<const std::uint8_t> rest() const { return {at_, static_cast<std::size_t>(end_ - at_)}; }

    // The two invoked sets in registers: the left table, the difference to the right one, and
    // the shape of each half (bit 0 left, bit 1 right: two bytes per character).
    void invoke() {
        const IndexedSet& left = sets_[state_.GL];
        const IndexedSet& right = sets_[state_.GR];
        leftTable_ = reinterpret_cast<std::uintptr_t>(left.table);
        tableDifference_ = leftTable_ ^ reinterpret_cast<std::uintptr_t>(right.table);
        twoByteHalves_ = left.twoByte | right.twoByte << 1;
    }
    // The table and the shape of the half that a byte's top bit (`inRight`) picks.
    const std::uint16_t* halfTable(std::uint32_t inRight) const {
        return reinterpret_cast<const std::uint16_t*>(leftTable_ ^ (tableDifference_ & (0 - std::uintptr_t{inRight})));
    }
    std::uint32_t halfIsTwoByte(std::uint32_t inRight) const { return (twoByteHalves_ >> inRight) & 1u; }

    void emitUnit(char16_t unit) {
        if constexpr (storing) dst_[stored_] = unit;
        ++stored_;
    }
    // APR (CR) or APD (LF): CR LF is one line break, written by the LF.
    void lineBreak(std::uint32_t control, bool lineFeedFollows) {
        if (control == c0::APD || !lineFeedFollows) {
            emitUnit(u'\r');
            emitUnit(u'\n');
        }
    }
    // The general path's control step, for the controls the common path has no test of its
    // own for; the registers may have changed.
    Step generalControl() {
        output_.setCount(stored_);
        at_ += applyControl(rest(), state_, output_);
        stored_ = output_.count();
        if (state_.singleShift || output_.suppressed) return Step::Stop;
        if constexpr (checked) {
            if (stored_ >= limit_) return Step::Stop;
        }
        sets_.refresh(state_);
        invoke();
        return Step::Done;
    }

    // A graphic byte (0x21..0x7E or 0xA1..0xFE), at least two bytes before the end. Everything
    // from the byte by arithmetic: no load but the look-up depends on it.
    Step graphicStep(std::uint32_t& byte) {
        const std::uint32_t first = byte & 0x7Fu;
        const std::uint32_t inRight = byte >> 7;
        const std::uint16_t* const table = halfTable(inRight);
        const std::uint32_t twoByte = halfIsTwoByte(inRight);
        const std::uint32_t second = at_[1];
        const std::uint32_t third = at_[2];
        const std::uint32_t unicode = table[first << 7 | (second & (twoByte * 0x7Fu))];
        if (unicode != 0) [[likely]] {
            if constexpr (checked) {
                if (stored_ >= limit_) return Step::Stop;
            }
            emitUnit(static_cast<char16_t>(unicode));
            at_ += 1 + twoByte;
            byte = twoByte ? third : second;
            return Step::Carried;
        }
        // A character of more than one unit, or of no look-up (symbol texts, pairs, sequences,
        // mosaics): decoded in full where the capacity is out of reach; the macro set changes
        // the registers and goes the general way.
        if constexpr (checked) return Step::Stop;
        const CodeSet set = state_.G[static_cast<std::size_t>(inRight ? state_.GR : state_.GL)];
        if (set == CodeSet::Macro) return Step::Stop;
        if (set == CodeSet::AdditionalSymbols) {
            // Bracketed symbol texts ("[字]", "[デ]") come in many programme texts: stored
            // straight from their table entry, by a direct index of the slot.
            const auto& symbolTexts = singleUnitIndexes().additionalSymbolText;
            if (const std::uint32_t text = symbolTexts[first << 7 | (second & 0x7Fu)]) {
                const SequenceEntry& entry = symbolStringTable[text - 1];
                for (int i = 0; i < kMaxSequenceUnits && entry.characters[i] != 0; ++i) emitUnit(entry.characters[i]);
                at_ += 2;
                byte = third;
                return Step::Carried;
            }
        }
        output_.setCount(stored_);
        at_ += decodeGraphicCharacter(set, rest(), decodingIndexes(), output_);
        stored_ = output_.count();
        return Step::Done;
    }

    // A control byte (everything outside both graphic ranges), at least two bytes before the
    // end: the frequent ones first, each by a test of its own (a chain of tests is predicted
    // better than one dispatch on this kind of text); the rest as the general path does. With
    // the capacity out of reach, the emitting ones store directly.
    Step controlStep(std::uint32_t byte) {
        if ((byte | (std::uint32_t{at_[1]} << 8) | 0x100u) == (c0::ESC | std::uint32_t{esc::LS2R} << 8)) {
            // ESC LS2R or ESC LS3R: kana text switches GR between hiragana and katakana all the
            // time. The two final bytes differ only in their last bit, so the ESC and either of
            // them are one compare of the two bytes.
            state_.GR = at_[1] == esc::LS2R ? 2 : 3;
            at_ += 2;
            invoke();
        } else if ((byte | 1u) == c0::LS0) {  // LS0 or LS1
            state_.GL = byte == c0::LS1 ? 1 : 0;
            invoke();
            ++at_;
        } else if (byte == c0::ESC) {
            if (at_[1] == designation::kTwoByteSet && escape_sequences::isTwoByteGraphicSet(at_[2])) {
                // ESC 0x24 F: symbols and the other two-byte sets come into G0 this way, one
                // character at a time between two designations.
                state_.G[0] = static_cast<CodeSet>(at_[2]);
                sets_.refresh(state_, 0);
                at_ += 3;
            } else {
                at_ += applyEscapeSequence(rest(), state_);
                sets_.refresh(state_);
            }
            invoke();
        } else if (!checked && byte == c0::SP) {
            emitUnit(u' ');
            ++at_;
        } else if (!checked && (byte == c0::APR || byte == c0::APD)) {
            lineBreak(byte, at_[1] == c0::APD);
            ++at_;
        } else if (byte == c1::MSZ || byte == c1::NSZ) {
            ++at_;  // the character size does not change the text
        } else {
            return generalControl();
        }
        return Step::Done;
    }

    // Alphanumeric text between LS1 and LS0 (with kana in the right half and spaces): every
    // byte is a character of its own, so a run of them needs no step to find the next
    // character, and its spaces are no controls.
    void oneByteRun() {
        if (twoByteHalves_ != 0) return;
        const std::uint16_t* byteTable = oneBytePairTable(sets_[state_.GL].kind, sets_[state_.GR].kind).data();
        while (at_ < end_) {
            const std::uint32_t unit = byteTable[*at_];
            if (unit == 0) break;
            emitUnit(static_cast<char16_t>(unit));
            ++at_;
        }
        // Such a run mostly ends with LS0, back to kanji.
        if (at_ < end_ && *at_ == c0::LS0) {
            state_.GL = 0;
            invoke();
            ++at_;
        }
    }

    // The last two bytes of the text (most texts end with a character or a line break), the
    // common way where no load beyond the end is needed; anything else is left to the general
    // path, as is whatever follows a control that left a single shift waiting or started
    // suppression.
    void lastBytes() {
        while (at_ < end_ && !state_.singleShift && !output_.suppressed) {
            const std::uint32_t last = at_[0];
            if (isGraphic(last)) {
                const std::uint32_t inRight = last >> 7;
                const std::uint16_t* const table = halfTable(inRight);
                const std::uint32_t twoByte = halfIsTwoByte(inRight);
                if (twoByte > static_cast<std::uint32_t>(end_ - at_ - 1)) break;  // cut off by the end
                const std::uint32_t second = twoByte != 0 ? at_[1] : 0u;
                const std::uint32_t unicode = table[(last & 0x7Fu) << 7 | (second & 0x7Fu)];
                if (unicode == 0) break;
                emitUnit(static_cast<char16_t>(unicode));
                at_ += 1 + twoByte;
            } else if (last == c0::APR || last == c0::APD) {
                lineBreak(last, end_ - at_ >= 2 && at_[1] == c0::APD);
                ++at_;
            } else if (last == c0::SP) {
                emitUnit(u' ');
                ++at_;
            } else {
                break;
            }
        }
    }

    const std::uint8_t* at_;
    const std::uint8_t* const end_;
    const std::uint8_t* const stop_;
    AribDecoderState& state_;
    RegisterSets& sets_;
    DecoderOutput& output_;
    char16_t* const dst_;
    std::int64_t stored_;
    const std::int64_t limit_;
    std::uintptr_t leftTable_ = 0, tableDifference_ = 0;
    std::uint32_t twoByteHalves_ = 0;
};

template <bool storing, bool checked>
const std::uint8_t* decodeRun(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                              RegisterSets& sets, DecoderOutput& output, std::int64_t limit) {
    return CommonRun<storing, checked>(at, end, state, sets, output, limit).run();
}

}  // namespace

const std::uint8_t* decodeCommonPath(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                                     RegisterSets& sets, DecoderOutput& output) {
    if (output.destination() == nullptr || output.count() >= output.capacity())
        return decodeRun<false, false>(at, end, state, sets, output, std::numeric_limits<std::int64_t>::max());
    // The capacity is checked once for the whole rest of the input where it cannot be reached.
    if (output.capacity() - output.count() >= kMaxUnitsPerByte * (end - at))
        return decodeRun<true, false>(at, end, state, sets, output, output.capacity());
    return decodeRun<true, true>(at, end, state, sets, output, output.capacity());
}

}  // namespace arib
