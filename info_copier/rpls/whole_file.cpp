#include "rpls/whole_file.h"

#include <limits>
#include <new>

namespace rpls {

WholeFile::Status WholeFile::load(platform::File& file) {
    const std::int64_t size = file.size();
    if (size < 0 || size >= (std::int64_t{1} << 32)) return Status::ReadFailed;
    // With a 32-bit size_t the spare byte of a file of 4 GiB - 1 would wrap the count to 0.
    if (static_cast<std::uint64_t>(size) >= std::numeric_limits<std::size_t>::max()) return Status::AllocationFailed;
    // One spare byte so that an empty file still has a buffer.
    data_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size) + 1]());
    if (!data_) return Status::AllocationFailed;
    size_ = static_cast<std::size_t>(size);
    if (!file.seek(0) || file.read(data_.get(), size_) != size) return Status::ReadFailed;
    return Status::Ok;
}

bool WholeFile::store(platform::File& file) const {
    return file.seek(0) && file.write(data_.get(), size_) == static_cast<std::int64_t>(size_);
}

}  // namespace rpls
