// Placeholder until the decoder lands: decodes nothing.
#include "arib/arib_text.h"

namespace arib {

int decodeAribText(char16_t* dst, int dstCapacity, const std::uint8_t*, int) {
    if (dst && dstCapacity > 0) dst[0] = 0;
    return 0;
}

}  // namespace arib
