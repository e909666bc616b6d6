#include "ts_test_support.h"

#include <cstring>

#include "rpls/rpls_fixture.h"
#include "test_support/run_program.h"
#include "ts/read_ts_info.h"
#include "ts/section_buffer.h"

namespace ts_test {

std::string writeTempFile(const Bytes& bytes) {
    static const std::string dir = testing_support::makeTempDir("ts_tests");
    static int counter = 0;
    const std::string path = dir + "/stream" + std::to_string(counter++) + ".ts";
    fixture::writeFile(path, bytes);
    return path;
}

EventScanOutcome runEventScan(const Bytes& stream, int packetSize, int percent) {
    platform::File file;
    file.openExisting(writeTempFile(stream).c_str(), platform::Access::Read, false);
    auto workspace = std::make_unique<ts::ScanWorkspace>();
    auto result = std::make_unique<ts::SectionBuffer>();
    result->fill(0);
    EventScanOutcome outcome{ts::findEventSection(file, packetSize, *result, percent, *workspace), {}};
    if (outcome.result != ts::EventScanResult::NotFound) {
        const auto length = static_cast<std::size_t>(ts::wholeSectionLength(ts::viewOf(*result)));
        outcome.section.assign(result->begin(), result->begin() + static_cast<std::ptrdiff_t>(length));
    }
    return outcome;
}

Bytes runServiceScan(const Bytes& stream, int packetSize, std::uint16_t serviceId, int percent) {
    platform::File file;
    file.openExisting(writeTempFile(stream).c_str(), platform::Access::Read, false);
    auto workspace = std::make_unique<ts::ScanWorkspace>();
    auto result = std::make_unique<ts::SectionBuffer>();
    result->fill(0);
    if (!ts::findServiceSection(file, packetSize, *result, serviceId, percent, *workspace)) return {};
    const auto length = static_cast<std::size_t>(ts::wholeSectionLength(ts::viewOf(*result)));
    return Bytes(result->begin(), result->begin() + static_cast<std::ptrdiff_t>(length));
}

TsInfoOutcome runReadTsInfo(const Bytes& stream, int packetSize, int percent) {
    platform::File file;
    file.openExisting(writeTempFile(stream).c_str(), platform::Access::Read, false);
    TsInfoOutcome outcome{};
    std::memset(&outcome.info, 0, sizeof outcome.info);
    outcome.found = ts::readTsInfo(outcome.info, file, packetSize, percent);
    return outcome;
}

Bytes presentEit(std::uint16_t serviceId, const Bytes& descriptors, std::uint16_t networkId) {
    ts_streams::EitFields fields;
    fields.serviceId = serviceId;
    fields.originalNetworkId = networkId;
    ts_streams::EitEvent event;
    event.descriptors = descriptors;
    fields.events = {event};
    return ts_streams::eitSection(fields);
}

Bytes patFor(std::uint16_t serviceId) { return ts_streams::patSection(1, {{0, 0x0010}, {serviceId, 0x01F0}}); }

}  // namespace ts_test
