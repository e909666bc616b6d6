// Bounds-checked views over file images and record fields. Every access to bytes that come
// from a file goes through one of these, so that a length or offset taken from the file can
// never reach outside the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rpls {

class ConstByteView {
public:
    ConstByteView() = default;
    ConstByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

    // True when [offset, offset + length) lies inside the view.
    bool contains(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    // Bytes outside the view read as zero.
    std::uint8_t byteAt(std::uint64_t offset) const { return offset < size_ ? data_[offset] : 0; }
    std::uint16_t be16(std::uint64_t offset) const {
        return static_cast<std::uint16_t>((byteAt(offset) << 8) | byteAt(offset + 1));
    }
    std::uint32_t be32(std::uint64_t offset) const { return (std::uint32_t{be16(offset)} << 16) | be16(offset + 2); }
    // Copies `length` bytes from `offset`; the part that lies outside the view is zero-filled.
    void copyOut(std::uint64_t offset, std::size_t length, std::uint8_t* out) const {
        std::size_t inside = 0;
        if (offset < size_)
            inside =
                static_cast<std::size_t>(size_ - offset) < length ? static_cast<std::size_t>(size_ - offset) : length;
        if (inside != 0) std::memcpy(out, data_ + offset, inside);
        if (inside < length) std::memset(out + inside, 0, length - inside);
    }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

class ByteView : public ConstByteView {
public:
    ByteView() = default;
    ByteView(std::uint8_t* data, std::size_t size) : ConstByteView(data, size), mutableData_(data) {}

    std::uint8_t* data() { return mutableData_; }

    // Writes succeed only when the whole range lies inside the view; otherwise nothing is written.
    bool write(std::uint64_t offset, const std::uint8_t* bytes, std::size_t length) {
        if (!contains(offset, length)) return false;
        if (length != 0) std::memcpy(mutableData_ + offset, bytes, length);
        return true;
    }
    bool fill(std::uint64_t offset, std::uint8_t value, std::size_t length) {
        if (!contains(offset, length)) return false;
        if (length != 0) std::memset(mutableData_ + offset, value, length);
        return true;
    }
    bool setByte(std::uint64_t offset, std::uint8_t value) { return fill(offset, value, 1); }
    bool setBe16(std::uint64_t offset, std::uint16_t value) {
        const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
        return write(offset, bytes, 2);
    }

private:
    std::uint8_t* mutableData_ = nullptr;
};

}  // namespace rpls
