// Helpers for the text area: the 2-byte description length and the 1200 text bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rpls/byte_view.h"
#include "rpls/rpls_format.h"

namespace rpls {

// The description length stored in the image, clamped to the field.
inline std::size_t currentTextLength(ConstByteView image) {
    const std::size_t length = image.be16(kTextAreaPos);
    return length > kTextCapacity ? kTextCapacity : length;
}

// Low 8 bits of the sum of the 1200 text bytes.
inline std::uint8_t textChecksum(const std::uint8_t* textBytes) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kTextCapacity; ++i) sum += textBytes[i];
    return static_cast<std::uint8_t>(sum);
}

}  // namespace rpls
