// Placeholder until the encoder lands: codes nothing.
#include "arib/arib_text.h"

namespace arib {

int encodeAribText(std::uint8_t* dst, int dstCapacity, const char16_t*, int, bool) {
    if (dst && dstCapacity > 0) dst[0] = 0;
    return 0;
}

}  // namespace arib
