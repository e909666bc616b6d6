// Sequential, named reads of the fields of a PSI/SI section, in the order the tables lay them
// out. Everything goes through the section view, so a read that runs past its end gives zero
// (and a copy is zero-filled), whatever length the section claims: lengths inside a section
// are trusted as the broadcaster wrote them, and reads still never leave the buffer.
// KORVET reads its PAT and PMT with a cursor of the same shape (ts_converter/psi/field_cursor.h).
#pragma once

#include <cstdint>
#include <span>
#include <type_traits>

#include "ts/section_buffer.h"

namespace ts {

class FieldCursor {
public:
    explicit FieldCursor(const SectionView& view, std::uint64_t offset = 0) : view_(view), bit_(offset * 8) {}

    // The byte offset of the next field. Fields read with `bits` fill whole bytes, so the
    // cursor is on a byte boundary between fields of the tables read here.
    std::uint64_t offset() const { return bit_ / 8; }
    // True while the next field begins before `end`; never when `end` is zero or below (a
    // section too short to hold the loop at all).
    bool isBefore(std::int64_t end) const { return end > 0 && offset() < static_cast<std::uint64_t>(end); }

    std::uint8_t u8() { return static_cast<std::uint8_t>(bits(8)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(bits(16)); }
    // The next `count` bits (1 to 32), most significant first.
    std::uint32_t bits(int count) {
        std::uint32_t value = 0;
        while (count > 0) {
            const int used = static_cast<int>(bit_ % 8);
            const int take = count < 8 - used ? count : 8 - used;
            const std::uint32_t byte = view_.byteAt(bit_ / 8);
            value = (value << take) | ((byte >> (8 - used - take)) & ((1u << take) - 1));
            bit_ += static_cast<std::uint64_t>(take);
            count -= take;
        }
        return value;
    }
    void skip(std::uint64_t bytes) { bit_ += bytes * 8; }
    void seek(std::uint64_t offset) { bit_ = offset * 8; }

    // The next `length` bytes, cut at the end of the view; the cursor moves on by `length`.
    std::span<const std::uint8_t> bytes(std::uint64_t length) {
        const std::span<const std::uint8_t> result = boundedBytes(view_, offset(), length);
        skip(length);
        return result;
    }
    // Copies the next `length` bytes into `out`, zero-filled past the end of the view.
    void copyTo(std::size_t length, std::uint8_t* out) {
        view_.copyOut(offset(), length, out);
        skip(length);
    }
    // The view from the cursor to the end of the underlying view.
    SectionView rest() const {
        const std::span<const std::uint8_t> bytes = boundedBytes(view_, offset(), view_.size());
        return SectionView(bytes.data(), bytes.size());
    }

private:
    SectionView view_;
    std::uint64_t bit_;
};

// The fields every long-form section starts with, up to last_section_number.
struct SectionHeader {
    std::uint8_t tableId;
    int sectionLength;
    std::uint16_t tableIdExtension;  // service_id in an EIT, transport_stream_id in an SDT
    std::uint8_t sectionNumber;
};

// Reads the 8-byte header; the cursor is then at the table's own fields.
inline SectionHeader readSectionHeader(FieldCursor& c) {
    SectionHeader header{};
    header.tableId = c.u8();
    c.bits(4);  // section_syntax_indicator, reserved_future_use, reserved
    header.sectionLength = static_cast<int>(c.bits(12));
    header.tableIdExtension = c.u16();
    c.u8();  // reserved, version_number, current_next_indicator
    header.sectionNumber = c.u8();
    c.u8();  // last_section_number
    return header;
}

// Where the CRC_32 begins: the bound of the loops that run to the end of a section's body.
inline std::int64_t crcStart(const SectionHeader& header) { return std::int64_t{header.sectionLength} - 1; }

// One descriptor of a loop. `payload` starts behind descriptor_length and runs to the end of
// the section view, not to the end of the descriptor: the descriptors read here trust their
// own inner lengths, which a broken descriptor may carry past descriptor_length.
struct Descriptor {
    std::uint8_t tag;
    std::uint8_t length;
    SectionView payload;
};

// Calls `visit(descriptor)` for each descriptor that begins before `end`, from `start`. The
// next descriptor begins descriptor_length bytes behind the payload's start, or, when `visit`
// answers a number, that many bytes behind it (the extended event descriptor ends its loop
// entry at the end of its own text).
template <typename Visit>
void forEachDescriptor(const SectionView& section, std::uint64_t start, std::uint64_t end, Visit&& visit) {
    FieldCursor c(section, start);
    while (c.offset() < end) {
        Descriptor d{};
        d.tag = c.u8();
        d.length = c.u8();
        d.payload = c.rest();
        if constexpr (std::is_void_v<std::invoke_result_t<Visit&, const Descriptor&>>) {
            visit(d);
            c.skip(d.length);
        } else {
            c.skip(visit(d));
        }
    }
}

}  // namespace ts
