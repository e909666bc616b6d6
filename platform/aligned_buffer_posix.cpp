#include "platform/aligned_buffer.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace platform {

AlignedBuffer::~AlignedBuffer() { release(); }

bool AlignedBuffer::allocate(std::uint64_t size, std::size_t alignment) {
    release();
    if (size == 0 || size > std::numeric_limits<std::size_t>::max() / 2) return false;
    void* p = nullptr;
    if (::posix_memalign(&p, alignment, static_cast<std::size_t>(size)) != 0) return false;
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
