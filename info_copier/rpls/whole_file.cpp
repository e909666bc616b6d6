#include "rpls/whole_file.h"

#include <new>

namespace rpls {

WholeFile::Status WholeFile::load(platform::File& file) {
    const std::int64_t size = file.size();
    if (size < 0 || size >= (std::int64_t{1} << 32)) return Status::ReadFailed;
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
