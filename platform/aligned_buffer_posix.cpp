#include "platform/aligned_buffer.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <limits>

namespace platform {
namespace {

// Buffers of this size and more get a mapping of their own whose pages are all provided at
// once: a buffer of megabytes then costs one call instead of thousands of page faults (each of
// which costs far more than the zeroing of its page on a virtual machine), and fresh pages are
// zero already.
constexpr std::size_t kOwnMappingSize = std::size_t{2} << 20;

}  // namespace

AlignedBuffer::~AlignedBuffer() { release(); }

bool AlignedBuffer::allocate(std::uint64_t size, std::size_t alignment) {
    release();
    if (size == 0 || size > std::numeric_limits<std::size_t>::max() / 2) return false;
    const auto bytes = static_cast<std::size_t>(size);
#if defined(MAP_ANONYMOUS) && defined(MAP_POPULATE)
    if (bytes >= kOwnMappingSize) {
        // Mapped with room for the alignment; the pages before the aligned start stay unused.
        const std::size_t length = bytes + alignment;
        void* mapping = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (mapping == MAP_FAILED) return false;
        const auto start = reinterpret_cast<std::uintptr_t>(mapping);
        const std::uintptr_t aligned = (start + alignment - 1) & ~static_cast<std::uintptr_t>(alignment - 1);
        mapping_ = mapping;
        mappedSize_ = length;
        data_ = reinterpret_cast<unsigned char*>(aligned);
        size_ = bytes;
        return true;
    }
#endif
    void* p = nullptr;
    if (::posix_memalign(&p, alignment, bytes) != 0) return false;
    std::memset(p, 0, bytes);
    data_ = static_cast<unsigned char*>(p);
    size_ = bytes;
    return true;
}

void AlignedBuffer::release() {
    if (mapping_ != nullptr) {
        ::munmap(mapping_, mappedSize_);
    } else {
        std::free(data_);
    }
    mapping_ = nullptr;
    mappedSize_ = 0;
    data_ = nullptr;
    size_ = 0;
}

}  // namespace platform
