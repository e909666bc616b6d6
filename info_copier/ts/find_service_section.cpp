#include "ts/find_service_section.h"

#include "ts/packet_walk.h"
#include "ts/section_crc32.h"
#include "ts/section_filters.h"

namespace ts {

bool findServiceSection(platform::File& file, int packetSize, SectionBuffer& result, std::uint16_t serviceId,
                        int readStartPercent, ScanWorkspace& workspace) {
    TsReader& reader = workspace.reader;
    reader.setUp(file, packetSize);
    reader.seekToPercent(readStartPercent);
    SectionCollector& sdt = workspace.collectors[0];
    sdt.reset();
    while (const std::uint8_t* packet = reader.nextPacket()) {
        const std::uint8_t* tsPacket = packet + reader.syncOffset();
        if (packetPid(tsPacket) != kPidSdt) continue;
        const bool found = walkSectionChunks(tsPacket, [&](std::span<const std::uint8_t> chunk, ChunkKind kind) {
            const std::span<const std::uint8_t> section = sdt.add(chunk, kind);
            if (section.empty() || sectionCrc32(section) != 0 || !listsService(viewOf(section), serviceId))
                return false;
            storeSection(result, section);
            return true;
        });
        if (found) return true;
    }
    return false;
}

}  // namespace ts
