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
    SectionBuffer buffer{};
    SectionCollector collector(reader, buffer);
    std::int32_t length = 0;

    CollectStatus status = collector.collect(kPatPid, length);
    if (status == CollectStatus::Failed) return false;
    if (status == CollectStatus::End) {
        platform::print("%s", msg::kNoPat);
        return false;
    }
    const std::span<const std::uint8_t> pat(buffer.data(), static_cast<std::size_t>(length));
    info.pmtPidCount = parsePat(pat, info.pmtPids);
    if (info.pmtPidCount == 0) {
        platform::print("%s", msg::kNoPmtPid);
        return false;
    }

    const std::uint32_t pmtPid = info.pmtPids[0];
    status = collector.collect(pmtPid, length);
    if (status == CollectStatus::Failed) return false;
    if (status == CollectStatus::End) {
        platform::print(msg::kNoPmt, pmtPid);
        return false;
    }
    info.pcrPid = parsePmt(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(length)));
    return true;
}

}  // namespace korvet
