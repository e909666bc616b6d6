#include "ts/service_name.h"

#include "ts/descriptors.h"

namespace ts {

void parseServiceName(std::uint16_t serviceId, const SectionView& sdt, rpls::ProgramInfo& info) {
    constexpr int kFirstService = 11;
    constexpr int kServiceHeaderLength = 5;
    const int end = sectionLength(sdt);
    for (int entry = kFirstService; entry < end;) {
        const SectionView service = descriptorAt(sdt, static_cast<std::uint64_t>(entry));
        const int loopEnd = entry + kServiceHeaderLength + (service.be16(3) & 0x0FFF);
        if (service.be16(0) == serviceId) {
            for (int offset = entry + kServiceHeaderLength; offset < loopEnd;) {
                const SectionView d = descriptorAt(sdt, static_cast<std::uint64_t>(offset));
                if (descriptorTag(d) == static_cast<std::uint8_t>(DescriptorTag::Service))
                    applyServiceDescriptor(d, info);
                offset += descriptorLength(d) + 2;
            }
            return;
        }
        entry = loopEnd;
    }
}

}  // namespace ts
