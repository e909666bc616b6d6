// Where decoded UTF-16 units go: counted always, stored only below the capacity.
#pragma once

#include <cstdint>

namespace arib {

// Writes one code point at `index` as one unit, or as a surrogate pair above U+FFFF. Each unit
// is stored only when `dst` is not null and its own index is below `dstCapacity`, so a pair
// may be cut after its high unit. Returns the number of units the code point takes (1 or 2).
int writeCodePoint(std::uint32_t codePoint, char16_t* dst, int index, int dstCapacity);

class DecoderOutput {
public:
    DecoderOutput(char16_t* dst, int dstCapacity) : dst_(dst), capacity_(dstCapacity < 0 ? 0 : dstCapacity) {}

    // Inside a suppressed region nothing is produced.
    bool suppressed = false;

    void emit(std::uint32_t codePoint) {
        if (suppressed) return;
        if (codePoint <= 0xFFFF && count_ < capacity_) {
            if (dst_ != nullptr) dst_[count_] = static_cast<char16_t>(codePoint);  // the common case, inline
            ++count_;
        } else if (count_ < capacity_) {
            count_ += writeCodePoint(codePoint, dst_, static_cast<int>(count_), capacity_);
        } else {
            count_ += codePoint > 0xFFFF ? 2 : 1;  // counted, not stored
        }
    }

    void emitUnits(const char16_t* units, int length) {
        for (int i = 0; i < length; ++i) emit(units[i]);
    }

    // For a caller that stores single units itself while it keeps the count in a local: the
    // count, the destination and its capacity. It hands the count back before the next emit.
    std::int64_t count() const { return count_; }
    void setCount(std::int64_t count) { count_ = count; }
    char16_t* destination() const { return dst_; }
    int capacity() const { return capacity_; }

    // Stores the terminator when it fits; returns the count capped at the capacity.
    int finish() {
        if (dst_ != nullptr && count_ < capacity_) dst_[count_] = 0;
        return count_ < capacity_ ? static_cast<int>(count_) : capacity_;
    }

private:
    char16_t* dst_;
    int capacity_;
    std::int64_t count_ = 0;  // wider than the result, so that long inputs cannot overflow it
};

}  // namespace arib
