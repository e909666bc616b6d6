#include "ts/network_key_table.h"

#include <algorithm>
#include <array>

namespace ts {

namespace {

struct NetworkKey {
    std::int32_t networkId;
    std::uint32_t keyId;
};

// Grouped by key id as broadcasters publish them; sorted by network_id below.
constexpr NetworkKey kNetworkKeysByKeyId[] = {
    // key id 1: 46 networks
    {0x7C10, 1},
    {0x7C20, 1},
    {0x7C30, 1},
    {0x7C40, 1},
    {0x7C52, 1},
    {0x7C60, 1},
    {0x7C70, 1},
    {0x7C82, 1},
    {0x7C90, 1},
    {0x7CA2, 1},
    {0x7CB0, 1},
    {0x7CC0, 1},
    {0x7CD0, 1},
    {0x7D00, 1},
    {0x7D10, 1},
    {0x7D20, 1},
    {0x7D30, 1},
    {0x7D40, 1},
    {0x7D50, 1},
    {0x7D60, 1},
    {0x7D70, 1},
    {0x7DA2, 1},
    {0x7DB0, 1},
    {0x7DC0, 1},
    {0x7DD0, 1},
    {0x7DF0, 1},
    {0x7E00, 1},
    {0x7E10, 1},
    {0x7E50, 1},
    {0x7E92, 1},
    {0x7EA0, 1},
    {0x7EB0, 1},
    {0x7EC0, 1},
    {0x7ED0, 1},
    {0x7EE2, 1},
    {0x7EF2, 1},
    {0x7F02, 1},
    {0x7F12, 1},
    {0x7F22, 1},
    {0x7F32, 1},
    {0x7F42, 1},
    {0x7F52, 1},
    {0x7F94, 1},
    {0x7FB2, 1},
    {0x7FC2, 1},
    {0x7FE0, 1},
    // key id 2: 41 networks
    {0x7881, 2},
    {0x7C11, 2},
    {0x7C21, 2},
    {0x7C31, 2},
    {0x7C41, 2},
    {0x7C51, 2},
    {0x7C61, 2},
    {0x7C71, 2},
    {0x7C81, 2},
    {0x7C91, 2},
    {0x7CA1, 2},
    {0x7CB1, 2},
    {0x7CC1, 2},
    {0x7CD1, 2},
    {0x7CE1, 2},
    {0x7CF1, 2},
    {0x7D01, 2},
    {0x7D11, 2},
    {0x7DA1, 2},
    {0x7DB1, 2},
    {0x7DC1, 2},
    {0x7DD1, 2},
    {0x7DF1, 2},
    {0x7E01, 2},
    {0x7E11, 2},
    {0x7E91, 2},
    {0x7EA1, 2},
    {0x7EB1, 2},
    {0x7EC1, 2},
    {0x7ED1, 2},
    {0x7EE1, 2},
    {0x7EF1, 2},
    {0x7F01, 2},
    {0x7F11, 2},
    {0x7F21, 2},
    {0x7F31, 2},
    {0x7F41, 2},
    {0x7F51, 2},
    {0x7FC1, 2},
    {0x7FD1, 2},
    {0x7FE1, 2},
    // key id 3: 34 networks
    {0x7880, 3},
    {0x7C12, 3},
    {0x7C22, 3},
    {0x7C32, 3},
    {0x7C44, 3},
    {0x7C50, 3},
    {0x7C62, 3},
    {0x7C72, 3},
    {0x7C80, 3},
    {0x7CA0, 3},
    {0x7CD3, 3},
    {0x7CE0, 3},
    {0x7CF0, 3},
    {0x7D12, 3},
    {0x7D26, 3},
    {0x7D56, 3},
    {0x7D80, 3},
    {0x7D90, 3},
    {0x7DA0, 3},
    {0x7DE0, 3},
    {0x7E27, 3},
    {0x7E37, 3},
    {0x7E47, 3},
    {0x7E67, 3},
    {0x7E77, 3},
    {0x7E90, 3},
    {0x7EE0, 3},
    {0x7EF0, 3},
    {0x7F00, 3},
    {0x7F10, 3},
    {0x7F20, 3},
    {0x7F30, 3},
    {0x7F40, 3},
    {0x7F50, 3},
    // key id 4: 23 networks
    {0x7C33, 4},
    {0x7C55, 4},
    {0x7C65, 4},
    {0x7C74, 4},
    {0x7C83, 4},
    {0x7C92, 4},
    {0x7CC2, 4},
    {0x7CD2, 4},
    {0x7D13, 4},
    {0x7DC4, 4},
    {0x7DD2, 4},
    {0x7DF2, 4},
    {0x7E04, 4},
    {0x7E12, 4},
    {0x7EA3, 4},
    {0x7EB3, 4},
    {0x7EC2, 4},
    {0x7ED2, 4},
    {0x7EE4, 4},
    {0x7FA2, 4},
    {0x7FC5, 4},
    {0x7FD2, 4},
    {0x7FE2, 4},
    // key id 5: 32 networks
    {0x7C14, 5},
    {0x7C34, 5},
    {0x7C54, 5},
    {0x7C64, 5},
    {0x7C75, 5},
    {0x7C84, 5},
    {0x7CC3, 5},
    {0x7CD4, 5},
    {0x7D14, 5},
    {0x7D46, 5},
    {0x7D66, 5},
    {0x7DC5, 5},
    {0x7DD3, 5},
    {0x7E05, 5},
    {0x7E13, 5},
    {0x7E94, 5},
    {0x7EA4, 5},
    {0x7EB5, 5},
    {0x7EC3, 5},
    {0x7ED4, 5},
    {0x7EE5, 5},
    {0x7EF3, 5},
    {0x7F03, 5},
    {0x7F13, 5},
    {0x7F23, 5},
    {0x7F33, 5},
    {0x7F43, 5},
    {0x7F53, 5},
    {0x7FA3, 5},
    {0x7FB3, 5},
    {0x7FC3, 5},
    {0x7FE5, 5},
    // key id 6: 26 networks
    {0x7C42, 6},
    {0x7C93, 6},
    {0x7CC4, 6},
    {0x7DA4, 6},
    {0x7DC2, 6},
    {0x7DD4, 6},
    {0x7DF3, 6},
    {0x7E02, 6},
    {0x7E14, 6},
    {0x7E93, 6},
    {0x7EA5, 6},
    {0x7EB2, 6},
    {0x7EC4, 6},
    {0x7EF4, 6},
    {0x7F04, 6},
    {0x7F14, 6},
    {0x7F24, 6},
    {0x7F34, 6},
    {0x7F44, 6},
    {0x7F54, 6},
    {0x7F93, 6},
    {0x7FA4, 6},
    {0x7FB4, 6},
    {0x7FC4, 6},
    {0x7FD3, 6},
    {0x7FE3, 6},
    // key id 7: 14 networks
    {0x7C85, 7},
    {0x7D76, 7},
    {0x7D96, 7},
    {0x7DB2, 7},
    {0x7EF6, 7},
    {0x7F06, 7},
    {0x7F16, 7},
    {0x7F26, 7},
    {0x7F36, 7},
    {0x7F46, 7},
    {0x7F56, 7},
    {0x7FA5, 7},
    {0x7FB6, 7},
    {0x7FE6, 7},
    // key id 8: 32 networks
    {0x7C17, 8},
    {0x7C53, 8},
    {0x7C63, 8},
    {0x7C73, 8},
    {0x7C86, 8},
    {0x7C94, 8},
    {0x7CC5, 8},
    {0x7D15, 8},
    {0x7D86, 8},
    {0x7DA3, 8},
    {0x7DB3, 8},
    {0x7DC3, 8},
    {0x7DD5, 8},
    {0x7E03, 8},
    {0x7E15, 8},
    {0x7EA2, 8},
    {0x7EB4, 8},
    {0x7EC5, 8},
    {0x7ED3, 8},
    {0x7EE3, 8},
    {0x7EF5, 8},
    {0x7F05, 8},
    {0x7F15, 8},
    {0x7F25, 8},
    {0x7F35, 8},
    {0x7F45, 8},
    {0x7F55, 8},
    {0x7F92, 8},
    {0x7FA6, 8},
    {0x7FB5, 8},
    {0x7FD4, 8},
    {0x7FE4, 8},
    // key id 9: 2 networks
    {0x7D36, 9},
    {0x7E87, 9},
    // key id 10: 2 networks
    {0x7DE6, 10},
    {0x7FD5, 10},
    // key id 12: 1 networks
    {0x7FE8, 12},
};

constexpr std::size_t kNetworkKeyCount = std::size(kNetworkKeysByKeyId);
static_assert(kNetworkKeyCount == 253);

// Put into ascending order of network_id once, when the program is built, so that a lookup
// can bisect it.
constexpr std::array<NetworkKey, kNetworkKeyCount> sortByNetworkId() {
    std::array<NetworkKey, kNetworkKeyCount> table{};
    std::copy(std::begin(kNetworkKeysByKeyId), std::end(kNetworkKeysByKeyId), table.begin());
    std::sort(table.begin(), table.end(),
              [](const NetworkKey& a, const NetworkKey& b) { return a.networkId < b.networkId; });
    return table;
}

constexpr std::array<NetworkKey, kNetworkKeyCount> networkKeyTable = sortByNetworkId();

constexpr bool networkIdsAreUnique() {
    for (std::size_t i = 1; i < networkKeyTable.size(); ++i) {
        if (networkKeyTable[i - 1].networkId == networkKeyTable[i].networkId) return false;
    }
    return true;
}
static_assert(networkIdsAreUnique());
static_assert(networkKeyTable.front().networkId == kTerrestrialNetworkFirst);
static_assert(networkKeyTable.back().networkId == kTerrestrialNetworkLast);

}  // namespace

std::uint32_t lookupKeyId(int networkId) {
    const auto found = std::lower_bound(networkKeyTable.begin(), networkKeyTable.end(), networkId,
                                        [](const NetworkKey& entry, int id) { return entry.networkId < id; });
    return found != networkKeyTable.end() && found->networkId == networkId ? found->keyId : 0;
}

std::uint16_t deriveChannelNumber(std::uint16_t serviceId, std::uint32_t keyId) {
    if (keyId == 0) return 0;
    return static_cast<std::uint16_t>(keyId * 10 + (serviceId & 7) + 1);
}

std::uint16_t eventChannelNumber(std::uint16_t serviceId, std::uint16_t originalNetworkId) {
    if (originalNetworkId >= kTerrestrialNetworkFirst && originalNetworkId <= kTerrestrialNetworkLast) {
        return deriveChannelNumber(serviceId, lookupKeyId(originalNetworkId));
    }
    return static_cast<std::uint16_t>(serviceId & 0x3FF);
}

}  // namespace ts
