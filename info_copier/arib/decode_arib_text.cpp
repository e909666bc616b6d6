// ARIB STD-B24 8-unit code to UTF-16: an ISO/IEC 2022 state machine over four graphic
// registers, GL and GR invoked by locking and single shifts.
#include "arib/arib_text.h"
#include "arib/decoder_steps.h"

namespace arib {
namespace {

// A graphic byte: a character of the set invoked into the half the byte lies in.
std::size_t applyGraphic(std::span<const std::uint8_t> rest, AribDecoderState& state, DecoderOutput& output) {
    CodeSet set = state.G[rest[0] < 0x80 ? state.GL : state.GR];
    std::size_t consumed = 1;
    if (set == CodeSet::macro) {
        applyDefaultMacro(rest[0] & 0x7Fu, state);
    } else {
        consumed = decodeGraphicCharacter(set, rest, output);
    }
    // A single shift lasts for one character, whatever that character produced.
    if (state.singleShift) {
        state.GL = state.savedGL;
        state.singleShift = false;
    }
    return consumed;
}

}  // namespace

int decodeAribText(char16_t* dst, int dstCapacity, const std::uint8_t* src, int srcLength) {
    DecoderOutput output(dst, dstCapacity);
    AribDecoderState state;
    std::span<const std::uint8_t> input;
    if (src != nullptr && srcLength > 0) input = {src, static_cast<std::size_t>(srcLength)};
    std::size_t position = 0;
    while (position < input.size()) {
        std::span<const std::uint8_t> rest = input.subspan(position);
        position += isControlByte(rest[0]) ? applyControl(rest, state, output) : applyGraphic(rest, state, output);
    }
    return output.finish();
}

}  // namespace arib
