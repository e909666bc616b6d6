#include "platform/aligned_buffer.h"

#include <windows.h>

#include <limits>

namespace platform {
namespace {

std::size_t roundUp(std::size_t value, std::size_t step) { return (value + step - 1) / step * step; }

// Large pages need the "lock pages in memory" right, which few accounts have: the attempt fails
// at once without it, and the buffer is then made of ordinary pages.
void* allocateLargePages(std::size_t bytes, std::size_t& mappedSize) {
    const SIZE_T largePage = ::GetLargePageMinimum();
    if (largePage == 0 || bytes < largePage) return nullptr;
    const std::size_t length = roundUp(bytes, largePage);
    void* mapping = ::VirtualAlloc(nullptr, length, MEM_RESERVE | MEM_COMMIT | MEM_LARGE_PAGES, PAGE_READWRITE);
    if (mapping != nullptr) mappedSize = length;
    return mapping;
}

}  // namespace

AlignedBuffer::~AlignedBuffer() { release(); }

bool AlignedBuffer::allocate(std::uint64_t size, std::size_t alignment) {
    release();
    if (size == 0 || size > std::numeric_limits<std::size_t>::max() / 4) return false;
    const auto bytes = static_cast<std::size_t>(size);
    SYSTEM_INFO system;
    ::GetSystemInfo(&system);
    const std::size_t granularity = system.dwAllocationGranularity;

    // VirtualAlloc answers zeroed pages at a multiple of the allocation granularity (64 KiB),
    // which is the alignment unbuffered transfers need.
    if (alignment <= granularity) {
        std::size_t length = 0;
        void* mapping = allocateLargePages(bytes, length);
        if (mapping == nullptr) {
            length = roundUp(bytes, granularity);
            mapping = ::VirtualAlloc(nullptr, length, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        }
        if (mapping == nullptr) return false;
        mapping_ = mapping;
        mappedSize_ = length;
        data_ = static_cast<unsigned char*>(mapping);
        size_ = bytes;
        return true;
    }

    // A stricter alignment: reserve room for the boundary, then commit from the boundary on.
    if (bytes > std::numeric_limits<std::size_t>::max() - alignment) return false;
    const std::size_t length = roundUp(bytes, granularity) + alignment;
    void* mapping = ::VirtualAlloc(nullptr, length, MEM_RESERVE, PAGE_NOACCESS);
    if (mapping == nullptr) return false;
    const auto start = reinterpret_cast<std::uintptr_t>(mapping);
    auto* aligned =
        reinterpret_cast<unsigned char*>((start + alignment - 1) & ~static_cast<std::uintptr_t>(alignment - 1));
    if (::VirtualAlloc(aligned, bytes, MEM_COMMIT, PAGE_READWRITE) == nullptr) {
        ::VirtualFree(mapping, 0, MEM_RELEASE);
        return false;
    }
    mapping_ = mapping;
    mappedSize_ = length;
    data_ = aligned;
    size_ = bytes;
    return true;
}

void AlignedBuffer::release() {
    if (mapping_ != nullptr) ::VirtualFree(mapping_, 0, MEM_RELEASE);
    mapping_ = nullptr;
    mappedSize_ = 0;
    data_ = nullptr;
    size_ = 0;
}

}  // namespace platform
