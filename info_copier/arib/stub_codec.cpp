// Placeholder until the codec lands: decodes nothing, codes nothing.
#include "arib/arib_text.h"

namespace arib {

int decodeAribText(char16_t* dst, int dstCapacity, const std::uint8_t*, int) {
    if (dst && dstCapacity > 0) dst[0] = 0;
    return 0;
}

int encodeAribText(std::uint8_t* dst, int dstCapacity, const char16_t*, int, bool) {
    if (dst && dstCapacity > 0) dst[0] = 0;
    return 0;
}

}  // namespace arib
