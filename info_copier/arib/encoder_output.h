// The byte sink of the encoder: counts every byte, stores only those below the capacity.
#pragma once

#include <algorithm>
#include <cstdint>

namespace arib {

class EncoderOutput {
public:
    // A null `dst` only measures. A negative capacity counts as 0.
    EncoderOutput(std::uint8_t* dst, int capacity)
        : dst_(dst), capacity_(capacity > 0 ? capacity : 0), storeLimit_(dst != nullptr ? capacity_ : 0) {}

    void put(std::uint8_t byte) {
        if (count_ < storeLimit_) dst_[count_] = byte;
        ++count_;
    }

    // Two or three bytes at once: one check of the room for all of them in the common case.
    void put(std::uint8_t first, std::uint8_t second) {
        if (count_ + 2 <= storeLimit_) {
            dst_[count_] = first;
            dst_[count_ + 1] = second;
            count_ += 2;
            return;
        }
        put(first);
        put(second);
    }
    void put(std::uint8_t first, std::uint8_t second, std::uint8_t third) {
        if (count_ + 3 <= storeLimit_) {
            dst_[count_] = first;
            dst_[count_ + 1] = second;
            dst_[count_ + 2] = third;
            count_ += 3;
            return;
        }
        put(first);
        put(second);
        put(third);
    }

    // Takes a coding measured elsewhere: stores `stored` bytes of it (all that fit the
    // capacity) and counts its whole length.
    void putAll(const std::uint8_t* bytes, int stored, std::int64_t wholeLength) {
        if (dst_ != nullptr) std::copy(bytes, bytes + stored, dst_ + count_);
        count_ += wholeLength;
    }

    // Bytes of the whole coded text, whether stored or not.
    std::int64_t count() const { return count_; }

    // Stores the terminating 0 when it fits; returns the count capped at the capacity.
    int finish() {
        if (dst_ != nullptr && count_ < capacity_) dst_[count_] = 0;
        return count_ < capacity_ ? static_cast<int>(count_) : capacity_;
    }

private:
    std::uint8_t* dst_;
    int capacity_;
    std::int64_t storeLimit_;  // bytes below this index are stored: the capacity, or 0 without a destination
    std::int64_t count_ = 0;
};

}  // namespace arib
