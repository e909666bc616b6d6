#include "health/stream_health.h"

#include "io/block.h"

namespace korvet {

StreamHealth::StreamHealth()
    : table_(std::make_unique<std::array<PidHealth, kPidCount>>()),
      pids_(table_->data()),
      continuity_(std::make_unique<std::array<std::uint8_t, kPidCount>>()) {}

void StreamHealth::delivered(std::span<const std::uint8_t> packets, std::int32_t packetSize) {
    const auto size = static_cast<std::size_t>(packetSize);
    const std::size_t syncOffset = size - static_cast<std::size_t>(kTsPacketSize);
    const std::uint8_t* at = packets.data() + syncOffset;
    for (std::size_t left = packets.size() / size; left > 0; --left, at += size) count(at);
}

void StreamHealth::count(const std::uint8_t* ts) {
    const std::uint32_t flagsAndPid = (std::uint32_t{ts[1]} << 8) | ts[2];
    const std::uint32_t pidValue = flagsAndPid & 0x1FFF;
    const std::uint32_t control = ts[3];
    PidHealth& health = pids_[pidValue];
    ++health.packets;
    if ((flagsAndPid & 0x8000) != 0) {
        ++health.errors;
        return;
    }
    health.scrambled += (control >> 6) != 0 ? 1 : 0;
    // adaptation_field_control 01 or 11: the packet carries a payload.
    if ((control & 0x10) == 0 || pidValue == kNullPid) return;
    const std::uint32_t counter = control & 0x0F;
    // An adaptation field of at least one byte whose flags byte has discontinuity_indicator.
    const bool discontinuity = (control & 0x20) != 0 && ts[4] != 0 && (ts[5] & 0x80) != 0;
    std::uint8_t& state = (*continuity_)[pidValue];
    const std::uint32_t previous = state & 0x0Fu;
    const bool checked = (state & kKnown) != 0 && !discontinuity;
    const bool inOrder = counter == ((previous + 1) & 0x0Fu);
    const bool repeat = counter == previous;
    const bool allowedRepeat = repeat && (state & kRepeated) == 0;
    health.drops += checked && !inOrder && !allowedRepeat ? 1 : 0;
    state = static_cast<std::uint8_t>(kKnown | (checked && repeat ? kRepeated : 0) | counter);
}

PidHealth StreamHealth::total() const {
    PidHealth sum;
    for (std::int32_t p = 0; p < kPidCount; ++p) {
        const PidHealth& one = pid(p);
        sum.packets += one.packets;
        sum.drops += one.drops;
        sum.errors += one.errors;
        sum.scrambled += one.scrambled;
    }
    return sum;
}

}  // namespace korvet
