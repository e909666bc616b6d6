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

// The common path: characters that are one look-up and one unit, stored straight from the
// indexes (when `storing`) and counted, and control bytes, applied as anywhere else without
// leaving the loop. Stops at anything else (a character with no single-unit entry or text,
// the limit when `checked`, a control that leaves a single shift waiting or starts
// suppression, and when `checked` the last two bytes). Only entered with no single shift
// waiting and no suppression. Kanji in the left half and kana in the right alternate all the
// time, so the set of a half is picked by the byte's top bit and its slot and length follow
// from the set's shape, without a branch.
template <bool storing, bool checked>
const std::uint8_t* decodeRun(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                              RegisterSets& sets, DecoderOutput& output, std::int64_t limit) {
    char16_t* const dst = output.destination();
    std::int64_t stored = output.count();
    // The two invoked sets in registers: the left table, the difference to the right one, and
    // the shape of each half (bit 0 left, bit 1 right: two bytes per character).
    std::uintptr_t leftTable = 0, tableDifference = 0;
    std::uint32_t twoByteHalves = 0;
    auto invoke = [&] {
        const IndexedSet& left = sets[state.GL];
        const IndexedSet& right = sets[state.GR];
        leftTable = reinterpret_cast<std::uintptr_t>(left.table);
        tableDifference = leftTable ^ reinterpret_cast<std::uintptr_t>(right.table);
        twoByteHalves = left.twoByte | right.twoByte << 1;
    };
    invoke();
    // The table and the shape of the half that a byte's top bit (`inRight`) picks.
    auto halfTable = [&](std::uint32_t inRight) {
        return reinterpret_cast<const std::uint16_t*>(leftTable ^ (tableDifference & (0 - std::uintptr_t{inRight})));
    };
    auto halfIsTwoByte = [&](std::uint32_t inRight) { return (twoByteHalves >> inRight) & 1u; };
    auto emitUnit = [&](char16_t unit) {
        if constexpr (storing) dst[stored] = unit;
        ++stored;
    };
    // APR (CR) or APD (LF): CR LF is one line break, written by the LF.
    auto lineBreak = [&](std::uint32_t control, bool lineFeedFollows) {
        if (control == c0::APD || !lineFeedFollows) {
            emitUnit(u'\r');
            emitUnit(u'\n');
        }
    };
    // The next byte is carried from one character to the next, picked from the two bytes after
    // the current one: they are loaded while the current one is looked up, so that the step
    // from one character to the next does not wait for a load. The last two bytes are taken
    // after the loop.
    const std::uint8_t* const stop = end - at >= 3 ? end - 2 : at;  // the first of the last two bytes
    std::uint32_t byte = at < stop ? at[0] : 0;
    while (at < stop) {
        const std::uint32_t first = byte & 0x7Fu;
        if (first - 0x21u < static_cast<std::uint32_t>(kCellsPerRow)) {
            // Everything from the byte by arithmetic: no load but the look-up depends on it.
            const std::uint32_t inRight = byte >> 7;
            const std::uint16_t* const table = halfTable(inRight);
            const std::uint32_t twoByte = halfIsTwoByte(inRight);
            const std::uint32_t second = at[1];
            const std::uint32_t third = at[2];
            const std::uint32_t unicode = table[first << 7 | (second & (twoByte * 0x7Fu))];
            if (unicode != 0) [[likely]] {
                if constexpr (checked) {
                    if (stored >= limit) break;
                }
                emitUnit(static_cast<char16_t>(unicode));
                at += 1 + twoByte;
                byte = twoByte ? third : second;
                continue;
            }
            // A character of more than one unit, or of no look-up (symbol texts, pairs,
            // sequences, mosaics): decoded in full where the capacity is out of reach; the
            // macro set changes the registers and goes the general way.
            if constexpr (checked) break;
            const CodeSet set = state.G[static_cast<std::size_t>(inRight ? state.GR : state.GL)];
            if (set == CodeSet::kMacro) break;
            if (set == CodeSet::kAdditionalSymbols) {
                // Bracketed symbol texts ("[字]", "[デ]") come in many programme texts: stored
                // straight from their table entry, by a direct index of the slot.
                const auto& symbolTexts = singleUnitIndexes().additionalSymbolText;
                if (const std::uint32_t text = symbolTexts[first << 7 | (second & 0x7Fu)]) {
                    const SequenceEntry& entry = symbolStringTable[text - 1];
                    for (int i = 0; i < kMaxSequenceUnits && entry.characters[i] != 0; ++i)
                        emitUnit(entry.characters[i]);
                    at += 2;
                    byte = third;
                    continue;
                }
            }
            output.setCount(stored);
            at += decodeGraphicCharacter(set, {at, static_cast<std::size_t>(end - at)}, decodingIndexes(), output);
            stored = output.count();
        } else {
            // A control byte (everything outside both graphic ranges): the frequent ones first,
            // each by a test of its own (a chain of tests is predicted better than one dispatch
            // on this kind of text). With the capacity out of reach, the emitting ones store
            // directly.
            if ((byte | (std::uint32_t{at[1]} << 8) | 0x100u) == (c0::ESC | std::uint32_t{esc::LS2R} << 8)) {
                // ESC LS2R or ESC LS3R: kana text switches GR between hiragana and katakana all
                // the time. The two final bytes differ only in their last bit, so the ESC and
                // either of them are one compare of the two bytes.
                state.GR = at[1] == esc::LS2R ? 2 : 3;
                at += 2;
                invoke();
            } else if ((byte | 1u) == c0::LS0) {  // LS0 or LS1
                state.GL = byte == c0::LS1 ? 1 : 0;
                invoke();
                ++at;
            } else if (byte == c0::ESC) {
                if (at[1] == designation::kTwoByteSet && escape_sequences::isTwoByteGraphicSet(at[2])) {
                    // ESC 0x24 F: symbols and the other two-byte sets come into G0 this way,
                    // one character at a time between two designations.
                    state.G[0] = static_cast<CodeSet>(at[2]);
                    sets.refresh(state, 0);
                    at += 3;
                } else {
                    at += applyEscapeSequence({at, static_cast<std::size_t>(end - at)}, state);
                    sets.refresh(state);
                }
                invoke();
            } else if (!checked && byte == c0::SP) {
                emitUnit(u' ');
                ++at;
            } else if (!checked && (byte == c0::APR || byte == c0::APD)) {
                lineBreak(byte, at[1] == c0::APD);
                ++at;
            } else if (byte == c1::MSZ || byte == c1::NSZ) {
                ++at;  // the character size does not change the text
            } else {
                output.setCount(stored);
                at += applyControl({at, static_cast<std::size_t>(end - at)}, state, output);
                stored = output.count();
                if (state.singleShift || output.suppressed) break;
                if constexpr (checked) {
                    if (stored >= limit) break;
                }
                sets.refresh(state);
                invoke();
            }
        }
        if constexpr (!checked) {
            // Alphanumeric text between LS1 and LS0 (with kana in the right half and spaces):
            // every byte is a character of its own, so a run of them needs no step to find the
            // next character, and its spaces are no controls.
            if (twoByteHalves == 0) {
                const std::uint16_t* byteTable = oneBytePairTable(sets[state.GL].kind, sets[state.GR].kind).data();
                while (at < end) {
                    const std::uint32_t unit = byteTable[*at];
                    if (unit == 0) break;
                    emitUnit(static_cast<char16_t>(unit));
                    ++at;
                }
                // Such a run mostly ends with LS0, back to kanji.
                if (at < end && *at == c0::LS0) {
                    state.GL = 0;
                    invoke();
                    ++at;
                }
            }
        }
        if (at >= stop) break;
        byte = at[0];
    }
    if constexpr (!checked) {
        // The last two bytes of the text (most texts end with a character or a line break), the
        // common way where no load beyond the end is needed; anything else is left to the
        // general path, as is whatever follows a control that left a single shift waiting or
        // started suppression.
        while (at < end && !state.singleShift && !output.suppressed) {
            const std::uint32_t last = at[0];
            const std::uint32_t first = last & 0x7Fu;
            if (first - 0x21u < static_cast<std::uint32_t>(kCellsPerRow)) {
                const std::uint32_t inRight = last >> 7;
                const std::uint16_t* const table = halfTable(inRight);
                const std::uint32_t twoByte = halfIsTwoByte(inRight);
                if (twoByte > static_cast<std::uint32_t>(end - at - 1)) break;  // cut off by the end
                const std::uint32_t second = twoByte != 0 ? at[1] : 0u;
                const std::uint32_t unicode = table[first << 7 | (second & 0x7Fu)];
                if (unicode == 0) break;
                emitUnit(static_cast<char16_t>(unicode));
                at += 1 + twoByte;
            } else if (last == c0::APR || last == c0::APD) {
                lineBreak(last, end - at >= 2 && at[1] == c0::APD);
                ++at;
            } else if (last == c0::SP) {
                emitUnit(u' ');
                ++at;
            } else {
                break;
            }
        }
    }
    output.setCount(stored);
    return at;
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
