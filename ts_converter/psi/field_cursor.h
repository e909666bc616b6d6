// Sequential, named reads of the fields of a PSI section, in the order the tables lay them
// out. A read that runs past the end of the bytes gives zero; `has` tells whether a field is
// there at all. tolvane reads its SI tables with a cursor of the same shape
// (info_copier/ts/field_cursor.h); the programs share no code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvet {

class FieldCursor {
public:
    explicit FieldCursor(std::span<const std::uint8_t> bytes, std::size_t offset = 0)
        : bytes_(bytes), bit_(offset * 8) {}

    // The byte offset of the next field.
    std::size_t offset() const { return bit_ / 8; }
    // True when the next `length` bytes lie inside the bytes.
    bool has(std::size_t length) const { return offset() <= bytes_.size() && length <= bytes_.size() - offset(); }

    std::uint8_t u8() { return static_cast<std::uint8_t>(bits(8)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(bits(16)); }
    // The next `count` bits (1 to 32), most significant first.
    std::uint32_t bits(int count) {
        std::uint32_t value = 0;
        while (count > 0) {
            const int used = static_cast<int>(bit_ % 8);
            const int take = count < 8 - used ? count : 8 - used;
            const std::size_t at = bit_ / 8;
            const std::uint32_t byte = at < bytes_.size() ? bytes_[at] : 0;
            value = (value << take) | ((byte >> (8 - used - take)) & ((1u << take) - 1));
            bit_ += static_cast<std::size_t>(take);
            count -= take;
        }
        return value;
    }
    void skip(std::size_t bytes) { bit_ += bytes * 8; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t bit_;
};

// The 8-byte header of a long-form section, read up to last_section_number; the cursor is
// then at the table's own fields.
inline std::int32_t readSectionHeader(FieldCursor& c) {
    c.u8();     // table_id
    c.bits(4);  // section_syntax_indicator, '0', reserved
    const auto sectionLength = static_cast<std::int32_t>(c.bits(12));
    c.u16();  // table_id_extension: transport_stream_id or program_number
    c.u8();   // reserved, version_number, current_next_indicator
    c.u8();   // section_number
    c.u8();   // last_section_number
    return sectionLength;
}

}  // namespace korvet
