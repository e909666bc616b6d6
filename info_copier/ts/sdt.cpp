#include "ts/sdt.h"

#include "ts/descriptors.h"

namespace ts {

std::optional<LoopRange> findServiceLoop(const SectionView& sdt, std::uint16_t serviceId) {
    FieldCursor c(sdt);
    const SectionHeader header = readSectionHeader(c);
    c.u16();  // original_network_id
    c.u8();   // reserved_future_use
    // Unlike the loops that stop at the CRC_32, this one runs to section_length itself.
    while (c.isBefore(header.sectionLength)) {
        const std::uint16_t entryServiceId = c.u16();
        c.u8();     // reserved_future_use, EIT_schedule_flag, EIT_present_following_flag
        c.bits(4);  // running_status, free_CA_mode
        const std::uint64_t loopLength = c.bits(12);  // descriptors_loop_length
        const LoopRange loop{c.offset(), c.offset() + loopLength};
        if (entryServiceId == serviceId) return loop;
        c.seek(loop.end);
    }
    return std::nullopt;
}

void parseServiceName(std::uint16_t serviceId, const SectionView& sdt, rpls::ProgramInfo& info) {
    const std::optional<LoopRange> loop = findServiceLoop(sdt, serviceId);
    if (!loop) return;
    forEachDescriptor(sdt, loop->start, loop->end, [&](const Descriptor& d) {
        if (hasTag(d, DescriptorTag::Service)) applyServiceDescriptor(d, info);
    });
}

}  // namespace ts
