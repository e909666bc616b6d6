#include "ts/table_tests.h"

namespace ts {

std::uint16_t firstProgramNumber(const SectionView& pat) {
    if (pat.byteAt(0) != kTableIdPat) return 0;
    const int crcStart = sectionLength(pat) - 1;
    for (int entry = 8; entry < crcStart; entry += 4) {
        const std::uint16_t programNumber = pat.be16(static_cast<std::uint64_t>(entry));
        if (programNumber != 0) return programNumber;
    }
    return 0;
}

bool isPresentEventSection(const SectionView& eit, std::uint16_t serviceId) {
    return eit.byteAt(0) == kTableIdEitPresentFollowingActual && eit.byteAt(6) == 0 && eit.be16(3) == serviceId &&
           sectionLength(eit) > 15;
}

bool isSelectionSection(const SectionView& section) { return section.byteAt(0) == kTableIdSit; }

bool listsService(const SectionView& sdt, std::uint16_t serviceId) {
    if (sdt.byteAt(0) != kTableIdSdtActual) return false;
    const int end = sectionLength(sdt);
    for (int entry = 11; entry < end; entry += 5 + (sdt.be16(static_cast<std::uint64_t>(entry) + 3) & 0x0FFF)) {
        if (sdt.be16(static_cast<std::uint64_t>(entry)) == serviceId) return true;
    }
    return false;
}

}  // namespace ts
