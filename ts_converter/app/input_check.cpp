#include "app/input_check.h"

#include "common/messages.h"
#include "io/packet_probe.h"
#include "platform/console.h"
#include "stamp/time_stamp.h"

namespace korvet {

namespace {

// Every header of the packets in step from `start` must be a possible FW192 header: a cycle
// count below 8000 and a cycle offset below the cycle length.
bool checkFw192Headers(std::span<const std::uint8_t> data, std::int64_t start, std::int32_t cycleTicks) {
    constexpr auto kSize = static_cast<std::size_t>(kTimestampedPacketSize);
    for (auto at = static_cast<std::size_t>(start); at + kSize <= data.size(); at += kSize) {
        if (data[at + 4] != kSyncByte) break;
        const ConstHeader header(data.subspan(at, 4).data(), 4);
        const std::int32_t cycle = decodeFw192Cycle(header);
        const std::int32_t offset = decodeFw192Offset(header);
        if (cycle >= kCyclesPerSecond || offset >= cycleTicks) {
            platform::print(msg::kNotFw192, cycle, offset, cycleTicks - 1);
            return false;
        }
    }
    return true;
}

}  // namespace

bool checkInputFormat(const PacketReader& reader, const ConversionInfo& info, bool cycle3000) {
    const std::span<const std::uint8_t> data = reader.firstBatch();
    const bool wholeFile = reader.firstBatchIsWholeFile();
    const std::int32_t wanted = info.inputPacketSize;
    const std::int64_t start = findPacketStart(data, wholeFile, wanted);
    if (start < 0) {
        const std::int32_t other = wanted == kTsPacketSize ? kTimestampedPacketSize : kTsPacketSize;
        if (findPacketStart(data, wholeFile, other) < 0) return true;
        platform::print(msg::kWrongPacketSize, other, wanted);
        platform::print("%s", other == kTsPacketSize ? msg::kSwitchesForTs188 : msg::kSwitchesForTs192);
        return false;
    }
    if (info.conversion == Conversion::Fw192ToBd192)
        return checkFw192Headers(data, start, cycle3000 ? kCycleTicks3000 : kCycleTicks3072);
    return true;
}

}  // namespace korvet
