#include "ts/section_filters.h"

#include "ts/field_cursor.h"
#include "ts/sdt.h"

namespace ts {

namespace {

// The section_length of an EIT section without events: the 11 bytes from service_id to
// last_table_id, and the CRC_32.
constexpr int kEmptyEventSectionLength = 11 + 4;

}  // namespace

std::uint16_t firstProgramNumber(const SectionView& pat) {
    FieldCursor c(pat);
    const SectionHeader header = readSectionHeader(c);
    if (header.tableId != kTableIdPat) return 0;
    while (c.isBefore(crcStart(header))) {
        const std::uint16_t programNumber = c.u16();
        c.u16();  // reserved, network_PID or program_map_PID
        if (programNumber != 0) return programNumber;
    }
    return 0;
}

bool isPresentEventSection(const SectionView& eit, std::uint16_t serviceId) {
    FieldCursor c(eit);
    const SectionHeader header = readSectionHeader(c);
    return header.tableId == kTableIdEitPresentFollowingActual && header.sectionNumber == 0 &&
           header.tableIdExtension == serviceId && header.sectionLength > kEmptyEventSectionLength;
}

bool isSelectionSection(const SectionView& section) {
    FieldCursor c(section);
    return readSectionHeader(c).tableId == kTableIdSit;
}

bool listsService(const SectionView& sdt, std::uint16_t serviceId) {
    FieldCursor c(sdt);
    return readSectionHeader(c).tableId == kTableIdSdtActual && findServiceLoop(sdt, serviceId).has_value();
}

}  // namespace ts
