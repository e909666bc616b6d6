// ARIB STD-B24 8-unit code to UTF-16: an ISO/IEC 2022 state machine over four graphic
// registers, GL and GR invoked by locking and single shifts.
#include "arib/arib_text.h"
#include "arib/code_index.h"
#include "arib/common_path.h"
#include "arib/control_codes.h"
#include "arib/decoder_paths.h"
#include "arib/decoder_steps.h"

namespace arib {
namespace {

// A graphic byte: a character of the set invoked into the half the byte lies in.
std::size_t applyGraphic(std::span<const std::uint8_t> rest, AribDecoderState& state, const DecodingIndexes& indexes,
                         DecoderOutput& output) {
    CodeSet set = state.G[rest[0] < 0x80 ? state.GL : state.GR];
    std::size_t consumed = 1;
    if (set == CodeSet::Macro) {
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

}  // namespace

template <DecoderPaths paths>
int decodeAribTextBy(char16_t* dst, int dstCapacity, const std::uint8_t* src, int srcLength) {
    constexpr bool kWithCommonPath = paths == DecoderPaths::CommonAndGeneral;
    DecoderOutput output(dst, dstCapacity);
    if (src == nullptr || srcLength <= 0) return output.finish();
    AribDecoderState state;
    const DecodingIndexes& indexes = decodingIndexes();
    RegisterSets sets;
    sets.refresh(state);
    const std::uint8_t* at = src;
    const std::uint8_t* const end = src + srcLength;
    while (at < end) {
        if (kWithCommonPath && !output.suppressed && !state.singleShift) {
            at = decodeCommonPath(at, end, state, sets, output);
            if (at >= end) break;
            sets.refresh(state);
            // The run stops right after a control that started suppression or a single shift:
            // what follows goes through the general path.
            if (output.suppressed || state.singleShift) continue;
        }
        std::span<const std::uint8_t> rest(at, static_cast<std::size_t>(end - at));
        at += isControlByte(rest[0]) ? applyControl(rest, state, output) : applyGraphic(rest, state, indexes, output);
        if constexpr (kWithCommonPath) sets.refresh(state);
    }
    return output.finish();
}

template int decodeAribTextBy<DecoderPaths::CommonAndGeneral>(char16_t*, int, const std::uint8_t*, int);
template int decodeAribTextBy<DecoderPaths::GeneralOnly>(char16_t*, int, const std::uint8_t*, int);

int decodeAribText(char16_t* dst, int dstCapacity, const std::uint8_t* src, int srcLength) {
    return decodeAribTextBy<DecoderPaths::CommonAndGeneral>(dst, dstCapacity, src, srcLength);
}

}  // namespace arib
