#include "rpls/whole_file.h"

#include <cstring>
#include <limits>
#include <new>

namespace rpls {

namespace {

bool writeAt(platform::File& file, std::size_t offset, const std::uint8_t* bytes, std::size_t length,
             std::size_t& written) {
    written = 0;
    if (!file.seek(static_cast<std::int64_t>(offset))) return false;
    const std::int64_t done = file.write(bytes, length);
    if (done > 0) written = static_cast<std::size_t>(done);
    return written == length;
}

}  // namespace

WholeFile::Status WholeFile::load(platform::File& file, bool keepOriginal) {
    const std::int64_t size = file.size();
    if (size < 0 || size >= (std::int64_t{1} << 32)) return Status::ReadFailed;
    // With a 32-bit size_t the spare byte of a file of 4 GiB - 1 would wrap the count to 0.
    if (static_cast<std::uint64_t>(size) >= std::numeric_limits<std::size_t>::max()) return Status::AllocationFailed;
    // One spare byte so that an empty file still has a buffer.
    const auto bytes = static_cast<std::size_t>(size) + 1;
    data_.reset(new (std::nothrow) std::uint8_t[bytes]());
    if (!data_) return Status::AllocationFailed;
    if (keepOriginal) {
        original_.reset(new (std::nothrow) std::uint8_t[bytes]());
        if (!original_) return Status::AllocationFailed;
    }
    size_ = static_cast<std::size_t>(size);
    if (!file.seek(0) || file.read(data_.get(), size_) != size) return Status::ReadFailed;
    if (original_) std::memcpy(original_.get(), data_.get(), size_);
    return Status::Ok;
}

WholeFile::StoreResult WholeFile::storeChanges(platform::File& file) const {
    if (!original_) return StoreResult::FailedRestored;
    std::size_t first = 0;
    while (first < size_ && data_[first] == original_[first]) ++first;
    if (first == size_) return StoreResult::Stored;  // the patch changed nothing
    std::size_t end = size_;
    while (data_[end - 1] == original_[end - 1]) --end;
    const std::size_t length = end - first;

    std::size_t written = 0;
    if (writeAt(file, first, data_.get() + first, length, written) && file.flushToDisk()) return StoreResult::Stored;
    // After a failed flush every byte of the range may have reached the file (`written` is the
    // whole range); after a failed write, only those the write reports.
    if (written == 0) return StoreResult::FailedRestored;
    std::size_t restored = 0;
    if (writeAt(file, first, original_.get() + first, written, restored) && file.flushToDisk())
        return StoreResult::FailedRestored;
    return StoreResult::FailedDamaged;
}

}  // namespace rpls
