// The decoder's common path: characters that are one look-up and one unit (kanji, kana,
// alphanumerics and the like), stored straight from 16-bit code-indexed tables, and control
// bytes, applied as anywhere else. Only for no single shift waiting and no suppression.
#pragma once

#include <cstdint>

#include "arib/decoder_output.h"
#include "arib/decoder_state.h"
#include "arib/register_sets.h"

namespace arib {

// Decodes from `at` as far as the common path goes and answers where it stopped: at the end
// or within its last two bytes, or at a byte for the general path (a character with no
// single-unit entry, one past the capacity, or anything after a control that started
// suppression or a single shift). `state`, `sets` and `output` are kept up to date.
const std::uint8_t* decodeCommonPath(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                                     RegisterSets& sets, DecoderOutput& output);

}  // namespace arib
