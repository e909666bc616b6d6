#include "psi/discover_pcr_pid.h"

#include "common/messages.h"
#include "platform/console.h"
#include "psi/pmt.h"
#include "psi/section_collector.h"

namespace korvet {

namespace {

constexpr std::uint32_t kPatPid = 0;

}  // namespace

bool discoverPcrPid(PacketReader& reader, PsiInfo& info) {
    SectionCollector collector;
    std::span<const std::uint8_t> section;

    CollectStatus status = collectSection(reader, collector, kPatPid, section);
    if (status == CollectStatus::Failed) return false;
    if (status == CollectStatus::End) {
        platform::print("%s", msg::kNoPat);
        return false;
    }
    info.pmtPidCount = parsePat(section, info.pmtPids);
    if (info.pmtPidCount == 0) {
        platform::print("%s", msg::kNoPmtPid);
        return false;
    }

    const std::uint32_t pmtPid = info.pmtPids[0];
    status = collectSection(reader, collector, pmtPid, section);
    if (status == CollectStatus::Failed) return false;
    if (status == CollectStatus::End) {
        platform::print(msg::kNoPmt, pmtPid);
        return false;
    }
    info.pcrPid = parsePmt(section);
    return true;
}

}  // namespace korvet
