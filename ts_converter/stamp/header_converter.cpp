#include "stamp/header_converter.h"

namespace korvet {

void HeaderConverter::convert(ConstHeader input, Header output) {
    if (direction_ == HeaderDirection::Bd192ToFw192)
        bd192ToFw192(input, output);
    else
        fw192ToBd192(input, output);
}

void HeaderConverter::bd192ToFw192(ConstHeader input, Header output) {
    // An arrival time that goes backwards is one wrap of the 30-bit field.
    const std::int64_t arrival = decodeBd192ArrivalTime(input);
    if (arrival < previousRaw_) ++wrapAccumulator_;
    previousRaw_ = arrival;
    unwrappedValue_ = wrapAccumulator_ * kArrivalTimeWrap + arrival;
    fw192Encoder_.encode(unwrappedValue_, output);
}

void HeaderConverter::fw192ToBd192(ConstHeader input, Header output) {
    // A cycle count that goes backwards starts the next second.
    const std::int64_t cycle = decodeFw192Cycle(input);
    const std::int64_t offset = decodeFw192Offset(input);
    if (cycle < previousRaw_) wrapAccumulator_ += kCyclesPerSecond;
    previousRaw_ = cycle;
    unwrappedValue_ = wrapAccumulator_ + cycle;
    // The offset is never negative; a constant divisor costs a multiplication, not a division.
    const auto scaled = static_cast<std::uint32_t>(offset * kTicksPerCycle);
    const std::uint32_t withinCycle =
        cycleTicks_ == kCycleTicks3072 ? scaled / kCycleTicks3072 : scaled / kCycleTicks3000;
    const std::int64_t time = withinCycle + unwrappedValue_ * kTicksPerCycle;
    encodeBd192Header(time, output);
}

}  // namespace korvet
