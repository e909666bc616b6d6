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

    // Reads the file from offset 0 to its end. A file of 4 GiB or more, or one that cannot be
    // read to its end, is a read failure.
    Status load(platform::File& file);
    // Writes the image back at offset 0 with the same byte count.
    bool store(platform::File& file) const;

    ByteView view() { return ByteView(data_.get(), size_); }
    ConstByteView view() const { return ConstByteView(data_.get(), size_); }
    std::size_t size() const { return size_; }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_ = 0;
};

}  // namespace rpls
