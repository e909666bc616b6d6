// Helpers shared by the encoder tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace arib::test {

using Bytes = std::vector<std::uint8_t>;
using EncodeFunction = int (*)(std::uint8_t*, int, const char16_t*, int, bool);

// Codes `text` with a capacity large enough for all of it and returns the coded bytes.
inline Bytes encodeWhole(EncodeFunction encode, const std::u16string& text, bool sizeControls) {
    const int length = encode(nullptr, 1 << 20, text.data(), static_cast<int>(text.size()), sizeControls);
    Bytes bytes(static_cast<std::size_t>(length) + 1, 0xCC);
    const int stored =
        encode(bytes.data(), static_cast<int>(bytes.size()), text.data(), static_cast<int>(text.size()), sizeControls);
    bytes.resize(static_cast<std::size_t>(stored));
    return bytes;
}

}  // namespace arib::test
