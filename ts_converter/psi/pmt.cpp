#include "psi/pmt.h"

namespace korvet {

std::uint32_t parsePmt(std::span<const std::uint8_t> section) {
    if (section.size() < 10) return 0;
    return (static_cast<std::uint32_t>(section[8] & 0x1F) << 8) | section[9];
}

}  // namespace korvet
