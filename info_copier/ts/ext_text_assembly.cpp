#include "ts/ext_text_assembly.h"

#include <cstring>

#include "arib/arib_text.h"

namespace ts {

void ExtTextAssembly::decodeAndAppend(std::span<const std::uint8_t> coded) {
    const int room = kUnitCapacity - unitCount;
    if (room <= 0 || coded.empty()) return;
    const int produced =
        arib::decodeAribText(units.data() + unitCount, room, coded.data(), static_cast<int>(coded.size()));
    // The decoder caps its answer at the capacity; a hostile answer must not move us outside.
    if (produced > 0) unitCount += produced < room ? produced : room;
}

void ExtTextAssembly::appendPending(std::span<const std::uint8_t> coded) {
    const std::size_t room = static_cast<std::size_t>(kPendingCapacity - pendingLength);
    const std::size_t take = coded.size() < room ? coded.size() : room;
    if (take != 0) std::memcpy(pending.data() + pendingLength, coded.data(), take);
    pendingLength += static_cast<int>(take);
}

void ExtTextAssembly::flush() {
    if (pendingLength <= 0) return;
    decodeAndAppend(std::span<const std::uint8_t>(pending.data(), static_cast<std::size_t>(pendingLength)));
    pendingLength = 0;
}

void ExtTextAssembly::appendLineBreak() {
    for (const char16_t unit : {u'\r', u'\n'}) {
        if (unitCount < kUnitCapacity) units[static_cast<std::size_t>(unitCount++)] = unit;
    }
}

void ExtTextAssembly::storeInto(rpls::ProgramInfo& info) const {
    constexpr int kCapacity = static_cast<int>(sizeof info.extText);
    int length = arib::encodeAribText(info.extText, kCapacity, units.data(), unitCount, false);
    if (length < 0) length = 0;
    info.extTextLength = length < kCapacity ? length : kCapacity;
}

}  // namespace ts
