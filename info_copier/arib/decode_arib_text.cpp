// ARIB STD-B24 8-unit code to UTF-16: an ISO/IEC 2022 state machine over four graphic
// registers, GL and GR invoked by locking and single shifts.
#include <array>

#include "arib/arib_text.h"
#include "arib/code_index.h"
#include "arib/control_codes.h"
#include "arib/decoder_steps.h"

namespace arib {
namespace {

// A graphic byte: a character of the set invoked into the half the byte lies in.
std::size_t applyGraphic(std::span<const std::uint8_t> rest, AribDecoderState& state, const DecodingIndexes& indexes,
                         DecoderOutput& output) {
    CodeSet set = state.G[rest[0] < 0x80 ? state.GL : state.GR];
    std::size_t consumed = 1;
    if (set == CodeSet::macro) {
        applyDefaultMacro(rest[0] & 0x7Fu, state);
    } else {
        consumed = decodeGraphicCharacter(set, rest, indexes, output);
    }
    // A single shift lasts for one character, whatever that character produced.
    if (state.singleShift) {
        state.GL = state.savedGL;
        state.singleShift = false;
    }
    return consumed;
}

// The code-indexed table of a set, for the characters that are one look-up and one code
// point; null for sets that need more.
struct InvokedSet {
    const std::uint32_t* table = nullptr;
    bool twoByte = false;
};

InvokedSet indexedSet(CodeSet set, const DecodingIndexes& indexes) {
    switch (set) {
        case CodeSet::kanji:
        case CodeSet::jisKanjiPlane1: return {indexes.plane1.data(), true};
        case CodeSet::jisKanjiPlane2: return {indexes.plane2.data(), true};
        case CodeSet::additionalSymbols: return {indexes.additionalSymbol.data(), true};
        case CodeSet::hiragana:
        case CodeSet::proportionalHiragana: return {indexes.hiragana.data(), false};
        case CodeSet::katakana:
        case CodeSet::proportionalKatakana: return {indexes.katakana.data(), false};
        case CodeSet::jisX0201Katakana: return {indexes.halfwidthKatakana.data(), false};
        case CodeSet::alphanumeric:
        case CodeSet::proportionalAlphanumeric: return {indexes.alphanumeric.data(), false};
        default: return {};
    }
}

// The indexed sets of the four registers, and of the two halves as invoked (index 1 left, 2
// right; index 0, for control bytes, stays null). While a single shift waits the left half
// takes the general path.
class InvokedSets {
public:
    InvokedSets(const AribDecoderState& state, const DecodingIndexes& indexes) : indexes_(indexes) {
        refresh(state);
    }

    const InvokedSet& forHalf(std::uint8_t half) const { return halves_[half]; }

    void refresh(const AribDecoderState& state) {
        if (state.G != designated_) {
            designated_ = state.G;
            for (std::size_t i = 0; i < registers_.size(); ++i) registers_[i] = indexedSet(state.G[i], indexes_);
        }
        halves_[1] = state.singleShift ? InvokedSet{} : registers_[static_cast<std::size_t>(state.GL)];
        halves_[2] = registers_[static_cast<std::size_t>(state.GR)];
    }

private:
    const DecodingIndexes& indexes_;
    std::array<CodeSet, 4> designated_{};  // no valid designation, so the first refresh fills registers_
    std::array<InvokedSet, 4> registers_{};
    std::array<InvokedSet, 3> halves_{};
};

// 0 for control bytes, 1 for graphic bytes of the left half, 2 for those of the right half.
constexpr std::array<std::uint8_t, 256> byteHalves = [] {
    std::array<std::uint8_t, 256> halves{};
    for (int byte = 0; byte < 256; ++byte)
        if (!isControlByte(static_cast<std::uint8_t>(byte))) halves[static_cast<std::size_t>(byte)] = byte < 0x80 ? 1 : 2;
    return halves;
}();

// One character straight from its set's index, stored at `count` when it is a single unit that
// fits; answers the bytes consumed, or 0 when the character needs the general path (no entry,
// a cut or out-of-range second byte, two units, suppression or no room).
inline std::size_t decodeIndexedCharacter(const InvokedSet& set, const std::uint8_t* at, const std::uint8_t* end,
                                          const DecoderOutput& output, std::int64_t& count) {
    std::uint32_t first = *at & 0x7Fu;
    std::uint32_t unicode = 0;
    std::size_t consumed = 1;
    if (!set.twoByte) {
        unicode = set.table[first];
    } else {
        if (end - at < 2) return 0;
        std::uint32_t cell = (at[1] & 0x7Fu) - 0x21u;
        if (cell >= static_cast<std::uint32_t>(cellsPerRow)) return 0;
        unicode = set.table[(first - 0x21u) * cellsPerRow + cell];
        consumed = 2;
    }
    if (unicode == 0 || !output.storeUnit(count, unicode)) return 0;
    ++count;
    return consumed;
}

}  // namespace

int decodeAribText(char16_t* dst, int dstCapacity, const std::uint8_t* src, int srcLength) {
    DecoderOutput output(dst, dstCapacity);
    if (src == nullptr || srcLength <= 0) return output.finish();
    AribDecoderState state;
    const DecodingIndexes& indexes = decodingIndexes();
    const std::uint8_t* at = src;
    const std::uint8_t* const end = src + srcLength;
    InvokedSets invoked(state, indexes);
    // The count lives in a local while characters are stored straight from the indexes.
    std::int64_t count = 0;
    while (at < end) {
        std::uint8_t half = byteHalves[*at];
        const InvokedSet& set = invoked.forHalf(half);
        if (set.table != nullptr) {
            if (std::size_t consumed = decodeIndexedCharacter(set, at, end, output, count)) {
                at += consumed;
                continue;
            }
        }
        output.setCount(count);
        std::span<const std::uint8_t> rest(at, static_cast<std::size_t>(end - at));
        at += half == 0 ? applyControl(rest, state, output) : applyGraphic(rest, state, indexes, output);
        count = output.count();
        invoked.refresh(state);
    }
    output.setCount(count);
    return output.finish();
}

}  // namespace arib
