// A file read whole into memory, as the RPLS handling works on complete images.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/file.h"
#include "rpls/byte_view.h"

namespace rpls {

class WholeFile {
public:
    enum class Status { Ok, AllocationFailed, ReadFailed };
    enum class StoreResult {
        Stored,          // the changed bytes are written and flushed to the disk
        FailedRestored,  // the write or the flush failed; the file holds its original bytes again
        FailedDamaged,   // the write failed and the original bytes could not be written back
    };

    // Reads the file from offset 0 to its end. A file of 4 GiB or more, or one that cannot be
    // read to its end, is a read failure. With `keepOriginal`, a copy of the bytes as read is
    // kept for storeChanges.
    Status load(platform::File& file, bool keepOriginal = false);

    // Writes back the one byte range in which the image differs from the bytes read (loaded
    // with `keepOriginal`), at its own offset, and flushes it to the disk. Touching only that
    // range keeps the exposure to a failing write small; when the write fails, the bytes it
    // may have changed are written back from the copy.
    StoreResult storeChanges(platform::File& file) const;

    ByteView view() { return ByteView(data_.get(), size_); }
    ConstByteView view() const { return ConstByteView(data_.get(), size_); }
    // The bytes as read (loaded with `keepOriginal`; empty otherwise), to show what changes.
    ConstByteView original() const { return ConstByteView(original_.get(), original_ ? size_ : 0); }
    std::size_t size() const { return size_; }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::unique_ptr<std::uint8_t[]> original_;
    std::size_t size_ = 0;
};

}  // namespace rpls
