// Rewrites the 4-byte header of a 192-byte packet from BD192 to FW192 or back, keeping one
// continuous time across the wrap-around of the input's clock field.
#pragma once

#include "stamp/fw192_encoder.h"
#include "stamp/time_stamp.h"

#include <cstdint>

namespace korvet {

enum class HeaderDirection { Bd192ToFw192, Fw192ToBd192 };

class HeaderConverter {
public:
    HeaderConverter(HeaderDirection direction, bool cycle3000)
        : direction_(direction),
          cycleTicks_(cycle3000 ? kCycleTicks3000 : kCycleTicks3072),
          fw192Encoder_(cycleTicks_) {}

    // Reads the input header, writes the other format's header for the same instant.
    void convert(ConstHeader input, Header output);

    // The last unwrapped input value: 27 MHz time (BD192 input) or total cycles (FW192 input).
    std::int64_t unwrappedValue() const { return unwrappedValue_; }

private:
    void bd192ToFw192(ConstHeader input, Header output);
    void fw192ToBd192(ConstHeader input, Header output);

    std::int64_t unwrappedValue_ = 0;
    std::int64_t wrapAccumulator_ = 0;  // BD192: wraps seen; FW192: 8000 × wraps seen
    std::int64_t previousRaw_ = 0;
    HeaderDirection direction_;
    std::int32_t cycleTicks_;
    Fw192Encoder fw192Encoder_;
};

}  // namespace korvet
