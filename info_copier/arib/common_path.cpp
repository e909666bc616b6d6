// The decoder's common path: most of any programme text, decoded with as few branches and
// memory accesses per character as possible.
#include "arib/common_path.h"

#include <limits>

#include "arib/control_codes.h"

namespace arib {
namespace {

// How a run of the common path ended: at a byte for the general path, or at a change of the
// number of bytes per character of a half, which needs the run of the other shape.
enum class RunEnd { generalPath, shapeChanged };

// The common path for one shape (bytes per character in each half): characters that are one
// look-up and one unit, stored straight from the indexes below `limit` (when `storing`) and
// counted, and control bytes, applied as anywhere else without leaving the loop. Stops at
// anything else (a character with no single-unit entry, the last byte, the limit, a control
// that leaves a single shift waiting or starts suppression). Only entered with no single shift
// waiting and no suppression. Kanji in the left half and kana in the right alternate all the
// time, so the table of a half is selected by a mask and the length follows from the half,
// without a branch.
template <bool storing, bool leftTwoByte, bool rightTwoByte>
RunEnd decodeRunOfShape(const std::uint8_t*& at, const std::uint8_t* end, AribDecoderState& state, RegisterSets& sets,
                        DecoderOutput& output, std::int64_t limit) {
    char16_t* const dst = output.destination();
    std::int64_t stored = output.count();
    std::uintptr_t leftTable = 0, tableDifference = 0;
    auto invoke = [&] {
        leftTable = reinterpret_cast<std::uintptr_t>(sets[state.GL].table);
        tableDifference = leftTable ^ reinterpret_cast<std::uintptr_t>(sets[state.GR].table);
    };
    invoke();
    RunEnd runEnd = RunEnd::generalPath;
    while (end - at >= 2) {
        const std::uint32_t byte = at[0];
        const std::uint32_t first = byte & 0x7Fu;
        const std::uint32_t row = first - 0x21u;
        if (row < static_cast<std::uint32_t>(cellsPerRow)) {
            const std::uint32_t inRight = byte >> 7;
            const auto* table =
                reinterpret_cast<const std::uint16_t*>(leftTable ^ (tableDifference & (0 - std::uintptr_t{inRight})));
            std::uint32_t twoByte = leftTwoByte ? 1u : 0u;
            if constexpr (leftTwoByte != rightTwoByte) twoByte = leftTwoByte ? inRight ^ 1u : inRight;
            std::uint32_t slot = first;
            std::uint32_t valid = 1;
            if constexpr (leftTwoByte || rightTwoByte) {
                const std::uint32_t twoByteMask = 0u - twoByte;
                const std::uint32_t cell = (at[1] & 0x7Fu) - 0x21u;
                valid = (twoByte ^ 1u) | static_cast<std::uint32_t>(cell < static_cast<std::uint32_t>(cellsPerRow));
                slot = ((first & ~twoByteMask) | ((row * cellsPerRow + cell) & twoByteMask)) & (0u - valid);
            }
            const std::uint32_t unicode = table[slot];
            if ((valid == 0) | (unicode == 0) | (stored >= limit)) break;
            if constexpr (storing) dst[stored] = static_cast<char16_t>(unicode);
            ++stored;
            at += 1 + twoByte;
            continue;
        }
        if (!isControlByte(static_cast<std::uint8_t>(byte))) break;
        output.setCount(stored);
        at += applyControl({at, static_cast<std::size_t>(end - at)}, state, output);
        stored = output.count();
        if (state.singleShift || output.suppressed || (storing && stored >= limit)) break;
        sets.refresh(state);
        if ((sets[state.GL].twoByte != 0) != leftTwoByte || (sets[state.GR].twoByte != 0) != rightTwoByte) {
            runEnd = RunEnd::shapeChanged;
            break;
        }
        invoke();
    }
    output.setCount(stored);
    return runEnd;
}

// Runs of the shape that the invoked sets have, one after the other.
template <bool storing>
const std::uint8_t* decodeRunsOfShapes(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                                       RegisterSets& sets, DecoderOutput& output, std::int64_t limit) {
    RunEnd runEnd = RunEnd::shapeChanged;
    while (runEnd == RunEnd::shapeChanged && end - at >= 2) {
        switch ((sets[state.GL].twoByte << 1) | sets[state.GR].twoByte) {
            case 0: runEnd = decodeRunOfShape<storing, false, false>(at, end, state, sets, output, limit); break;
            case 1: runEnd = decodeRunOfShape<storing, false, true>(at, end, state, sets, output, limit); break;
            case 2: runEnd = decodeRunOfShape<storing, true, false>(at, end, state, sets, output, limit); break;
            default: runEnd = decodeRunOfShape<storing, true, true>(at, end, state, sets, output, limit); break;
        }
    }
    return at;
}

}  // namespace

const std::uint8_t* decodeCommonPath(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                                     RegisterSets& sets, DecoderOutput& output) {
    if (output.destination() != nullptr && output.count() < output.capacity())
        return decodeRunsOfShapes<true>(at, end, state, sets, output, output.capacity());
    return decodeRunsOfShapes<false>(at, end, state, sets, output, std::numeric_limits<std::int64_t>::max());
}

}  // namespace arib
