// Owning, zero-initialised byte buffer whose start is aligned for unbuffered transfers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

class AlignedBuffer {
public:
    AlignedBuffer() = default;
    ~AlignedBuffer();
    AlignedBuffer(const AlignedBuffer&) = delete;
    AlignedBuffer& operator=(const AlignedBuffer&) = delete;

    // Allocates `size` bytes at `alignment` (a power of two); false when memory cannot be had
    // or the size is zero or does not fit the address space.
    bool allocate(std::uint64_t size, std::size_t alignment);
    void release();

    unsigned char* data() { return data_; }
    const unsigned char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
    // A large buffer is a mapping of its own, from `mapping_` for `mappedSize_` bytes.
    void* mapping_ = nullptr;
    std::size_t mappedSize_ = 0;
};

}  // namespace platform
