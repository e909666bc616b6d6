// Remote-control key ids of the terrestrial networks, and the channel number they give.
#pragma once

#include <cstdint>

#include "rpls/program_info.h"

namespace ts {

inline constexpr int kTerrestrialNetworkFirst = 0x7880;
inline constexpr int kTerrestrialNetworkLast = 0x7FE8;

// The key id of a terrestrial network_id, or 0 when the table does not hold it.
std::uint32_t lookupKeyId(int networkId);

// key id × 10 + (service_id AND 7) + 1, or 0 without a key id.
std::uint16_t deriveChannelNumber(std::uint16_t serviceId, std::uint32_t keyId);

// The channel number of an EIT's service: by key id on a terrestrial network, otherwise the
// low ten bits of the service_id.
std::uint16_t eventChannelNumber(std::uint16_t serviceId, std::uint16_t originalNetworkId);

inline void setChannelNumber(rpls::ProgramInfo& info, std::uint16_t number) {
    info.channelNumber[0] = static_cast<std::uint8_t>(number >> 8);
    info.channelNumber[1] = static_cast<std::uint8_t>(number);
}

}  // namespace ts
