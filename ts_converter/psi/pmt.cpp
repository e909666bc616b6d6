#include "psi/pmt.h"

#include "psi/field_cursor.h"

namespace korvet {

std::uint32_t parsePmt(std::span<const std::uint8_t> section) {
    FieldCursor c(section);
    readSectionHeader(c);
    if (!c.has(2)) return 0;
    c.bits(3);  // reserved
    return c.bits(13);
}

}  // namespace korvet
