#include "ts/read_ts_info.h"

#include <cstdlib>
#include <memory>
#include <new>

#include "common/messages.h"
#include "platform/console.h"
#include "ts/eit.h"
#include "ts/ext_text_assembly.h"
#include "ts/find_event_section.h"
#include "ts/find_service_section.h"
#include "ts/sdt.h"
#include "ts/sit.h"
#include "ts/ts_info_workspace.h"

namespace ts {

namespace {

constexpr std::uint8_t kTsZone = 18;

void setFixedFields(rpls::ProgramInfo& info) {
    info.zone = kTsZone;
    for (std::uint8_t& byte : info.codePair) byte = 0;
    info.privateCode = -1;
}

}  // namespace

bool readTsInfo(rpls::ProgramInfo& info, platform::File& source, int packetSize, int readStartPercent) {
    // Everything a TS source needs, allocated once for the run.
    const std::unique_ptr<TsInfoWorkspace> workspace(new (std::nothrow) TsInfoWorkspace);
    if (!workspace) {
        platform::print("%s", common::msg::kBufferAllocationFailed);
        std::exit(1);
    }
    return readTsInfo(info, source, packetSize, readStartPercent, *workspace);
}

bool readTsInfo(rpls::ProgramInfo& info, platform::File& source, int packetSize, int readStartPercent,
                TsInfoWorkspace& workspace) {
    SectionBuffer& section = workspace.section;
    section.fill(0);

    switch (findEventSection(source, packetSize, section, readStartPercent, workspace.scan)) {
        case EventScanResult::NotFound: return false;
        case EventScanResult::Sit: parseSelectionSection(viewOf(section), info, workspace.assembly); break;
        case EventScanResult::Eit: {
            const std::uint16_t serviceId = parseEventSection(viewOf(section), info, workspace.assembly);
            if (findServiceSection(source, packetSize, section, serviceId, readStartPercent, workspace.scan)) {
                parseServiceName(serviceId, viewOf(section), info);
            }
            break;
        }
    }
    setFixedFields(info);
    return true;
}

}  // namespace ts
