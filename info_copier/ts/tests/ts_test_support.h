// Shared helpers of the TS tests: temporary stream files and the scans run on them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "rpls/program_info.h"
#include "si_sections.h"
#include "ts/find_event_section.h"
#include "ts/find_service_section.h"
#include "ts_stream_builder.h"

namespace ts_test {

using ts_streams::Bytes;

// Writes `bytes` to a fresh file in the test's temporary directory and answers its path.
std::string writeTempFile(const Bytes& bytes);

struct EventScanOutcome {
    ts::EventScanResult result;
    Bytes section;  // the accepted section (its whole length), empty when none
};
EventScanOutcome runEventScan(const Bytes& stream, int packetSize, int percent = 0);
// Answers the accepted SDT section, empty when none.
Bytes runServiceScan(const Bytes& stream, int packetSize, std::uint16_t serviceId, int percent = 0);

struct TsInfoOutcome {
    bool found;
    rpls::ProgramInfo info;
};
TsInfoOutcome runReadTsInfo(const Bytes& stream, int packetSize, int percent = 0);

// A present EIT section for `serviceId` with one event carrying `descriptors`.
Bytes presentEit(std::uint16_t serviceId, const Bytes& descriptors, std::uint16_t networkId = 0x7FE0);
Bytes patFor(std::uint16_t serviceId);

}  // namespace ts_test
