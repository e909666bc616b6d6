#include "ts/event_section.h"

#include "ts/broadcast_date.h"
#include "ts/descriptors.h"
#include "ts/network_key_table.h"

namespace ts {

namespace {

constexpr int kFirstEvent = 14;
constexpr int kEventHeaderLength = 12;

void clearGenres(rpls::ProgramInfo& info) {
    for (rpls::GenreEntry& genre : info.genres) genre = {0, 0};
}

}  // namespace

std::uint16_t parseEventSection(const SectionView& eit, rpls::ProgramInfo& info, ExtTextAssembly& assembly) {
    const std::uint16_t serviceId = eit.be16(3);
    const std::uint16_t originalNetworkId = eit.be16(10);
    setChannelNumber(info, eventChannelNumber(serviceId, originalNetworkId));
    clearGenres(info);
    assembly.restart();  // a section without events has no extended text

    const int crcStart = sectionLength(eit) - 1;
    for (int event = kFirstEvent; event < crcStart;) {
        const SectionView header = descriptorAt(eit, static_cast<std::uint64_t>(event));
        applyEventTimes(info, descriptorAt(header, 2), descriptorAt(header, 7));
        const int loopLength = header.be16(10) & 0x0FFF;
        const int loopStart = event + kEventHeaderLength;
        const int loopEnd = loopStart + loopLength;

        assembly.restart();
        for (int offset = loopStart; offset < loopEnd;) {
            offset += applyProgrammeDescriptor(descriptorAt(eit, static_cast<std::uint64_t>(offset)), info, assembly,
                                               DescriptorScope::Event);
        }
        assembly.flush();
        event = loopEnd;
    }
    assembly.storeInto(info);
    return serviceId;
}

}  // namespace ts
