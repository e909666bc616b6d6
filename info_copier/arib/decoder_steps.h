// The steps of the decoder's main loop. Each takes the rest of the input starting at the
// byte it handles and answers how many bytes that step consumes; a step cut off by the end of
// the input consumes all that is left and has no effect.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "arib/decoder_output.h"
#include "arib/decoder_state.h"

namespace arib {

// C0 (0x00..0x20), DEL, C1 (0x80..0xA0) and 0xFF; everything else is a graphic byte.
constexpr bool isControlByte(std::uint8_t byte) {
    return byte <= 0x20 || (byte >= 0x7F && byte <= 0xA0) || byte == 0xFF;
}

// CSI and what follows; only XCS (suppress or show characters) acts.
std::size_t applyControlSequence(std::span<const std::uint8_t> rest, DecoderOutput& output);

// A character of the macro set: a default macro sets G0..G3 and the invocations.
void applyDefaultMacro(std::uint32_t code, AribDecoderState& state);

}  // namespace arib
