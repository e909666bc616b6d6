// Codes FW192 headers for a run of packet times. From one packet to the next the time mostly
// grows by less than a cycle: the cycle and the ticks into it are then carried over from the
// previous packet and stepped, instead of being divided out of the time again. Any other step
// (the first time, a jump, a time that goes back) is worked out in full. The bytes are the same.
#pragma once

#include "stamp/time_stamp.h"

#include <cstdint>

namespace korvet {

class Fw192Encoder {
public:
    explicit Fw192Encoder(std::int32_t cycleTicks) : cycleTicks_(cycleTicks) {}

    void encode(std::int64_t time, Header header) {
        const std::int64_t step = time - time_;
        if (known_ && step >= 0 && step < kTicksPerCycle) {
            ticks_ += static_cast<std::uint32_t>(step);
            if (ticks_ >= static_cast<std::uint32_t>(kTicksPerCycle)) {
                ticks_ -= static_cast<std::uint32_t>(kTicksPerCycle);
                if (++cycle_ == static_cast<std::uint32_t>(kCyclesPerSecond)) cycle_ = 0;
            }
        } else {
            splitFw192Time(time, cycle_, ticks_);
            known_ = true;
        }
        time_ = time;
        packFw192Header(cycle_, ticks_, cycleTicks_, header);
    }

private:
    std::int32_t cycleTicks_;
    bool known_ = false;
    std::int64_t time_ = 0;
    std::uint32_t cycle_ = 0;
    std::uint32_t ticks_ = 0;
};

}  // namespace korvet
