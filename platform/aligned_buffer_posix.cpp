#include "platform/aligned_buffer.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace platform {
namespace {

// Buffers of this size and more are placed on large-page boundaries and offered large pages:
// a buffer of megabytes is then mapped by a handful of faults instead of thousands, each of
// which costs far more than the zeroing of its page on a virtual machine.
constexpr std::size_t kLargePage = std::size_t{2} << 20;

}  // namespace

AlignedBuffer::~AlignedBuffer() { release(); }

bool AlignedBuffer::allocate(std::uint64_t size, std::size_t alignment) {
    release();
    if (size == 0 || size > std::numeric_limits<std::size_t>::max() / 2) return false;
    void* p = nullptr;
    const bool large = size >= kLargePage;
    if (::posix_memalign(&p, large ? std::max(alignment, kLargePage) : alignment, static_cast<std::size_t>(size)) != 0)
        return false;
#ifdef MADV_HUGEPAGE
    // Only a hint: where large pages cannot be had, the buffer is the same with small ones.
    if (large) ::madvise(p, static_cast<std::size_t>(size), MADV_HUGEPAGE);
#endif
    std::memset(p, 0, static_cast<std::size_t>(size));
    data_ = static_cast<unsigned char*>(p);
    size_ = static_cast<std::size_t>(size);
    return true;
}

void AlignedBuffer::release() {
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace platform
