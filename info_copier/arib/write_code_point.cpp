#include "arib/decoder_output.h"

namespace arib {

int writeCodePoint(std::uint32_t codePoint, char16_t* dst, int index, int dstCapacity) {
    auto store = [&](int at, std::uint32_t unit) {
        if (dst != nullptr && at >= 0 && at < dstCapacity) dst[at] = static_cast<char16_t>(unit);
    };
    if (codePoint < 0x10000) {
        store(index, codePoint);
        return 1;
    }
    std::uint32_t offset = codePoint - 0x10000;
    store(index, 0xD800 + (offset >> 10));
    store(index + 1, 0xDC00 + (offset & 0x3FF));
    return 2;
}

}  // namespace arib
