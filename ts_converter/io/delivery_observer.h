// Something that looks at every packet the reader delivers, a run of packets at a time, in the
// same pass as the conversion: the reader hands over each run of contiguous packets once it is
// complete (before the next batch is read, before garbage is skipped, at the end).
#pragma once

#include <cstdint>
#include <span>

namespace korvet {

class DeliveryObserver {
public:
    // `packets` is a whole number of packets of `packetSize` bytes, in the order delivered.
    virtual void delivered(std::span<const std::uint8_t> packets, std::int32_t packetSize) = 0;

protected:
    ~DeliveryObserver() = default;
};

}  // namespace korvet
