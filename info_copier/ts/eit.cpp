#include "ts/eit.h"

#include "ts/broadcast_date.h"
#include "ts/descriptors.h"
#include "ts/network_key_table.h"

namespace ts {

std::uint16_t parseEventSection(const SectionView& eit, rpls::ProgramInfo& info, ExtTextAssembly& assembly) {
    FieldCursor c(eit);
    const SectionHeader header = readSectionHeader(c);
    const std::uint16_t serviceId = header.tableIdExtension;
    c.u16();  // transport_stream_id
    const std::uint16_t originalNetworkId = c.u16();
    c.u8();  // segment_last_section_number
    c.u8();  // last_table_id
    setChannelNumber(info, eventChannelNumber(serviceId, originalNetworkId));
    clearGenres(info);
    assembly.restart();  // a section without events has no extended text

    while (c.isBefore(crcStart(header))) {
        c.u16();  // event_id
        applyEventTimes(info, c);
        c.bits(4);                                    // running_status, free_CA_mode
        const std::uint64_t loopLength = c.bits(12);  // descriptors_loop_length
        const std::uint64_t loopEnd = c.offset() + loopLength;

        assembly.restart();
        forEachDescriptor(eit, c.offset(), loopEnd, [&](const Descriptor& d) {
            return applyProgrammeDescriptor(d, info, assembly, DescriptorScope::Event);
        });
        assembly.flush();
        c.seek(loopEnd);
    }
    assembly.storeInto(info);
    return serviceId;
}

}  // namespace ts
