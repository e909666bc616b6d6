#include "app/check_recording.h"

#include "app/health_report.h"
#include "app/progress.h"
#include "app/stream_ends.h"
#include "common/messages.h"
#include "health/stream_health.h"
#include "io/packet_probe.h"
#include "platform/console.h"
#include "platform/interrupt.h"

namespace korvet {

namespace {

// The packet size of input whose first batch shows none: the search goes on through the next
// batches, which a check reads anyway, and what it passes over counts as removed bytes. The
// reader then stands in front of the first packet. 0 after printing a message.
std::int32_t findPacketSizeFurtherIn(PacketReader& reader, Progress& progress) {
    if (reader.hasMoreInput()) progress.start();
    while (reader.hasMoreInput()) {
        if (!reader.passOverAllBut(kPacketSizeProbeOverlap)) {
            if (reader.interrupted()) platform::print("%s", msg::kCheckInterruptedBeforePackets);
            return 0;
        }
        progress.update(reader.consumed());
        const std::int32_t packetSize = detectPacketSize(reader.unconsumedBytes(), false);
        if (packetSize != 0) return packetSize;
    }
    const auto read = reader.consumed() + static_cast<std::int64_t>(reader.unconsumedBytes().size());
    platform::print(msg::kNoPacketsFound, static_cast<long long>(read));
    return 0;
}

// Opens the input and reads its first batch; false after printing a message.
bool openAtFirstBatch(PacketReader& reader, const char* inputName, const ConvertArgs& args,
                      const ConvertOptions& options) {
    if (!openInput(reader, inputName, kTsPacketSize, args.readBlocks, options.unbuffered)) return false;
    if (reader.rewind()) return true;
    if (reader.interrupted()) platform::print("%s", msg::kCheckInterruptedBeforePackets);
    return false;
}

// Finds the packet size from the data and sets it, and starts the progress line; 0 after
// printing a message.
std::int32_t findPacketSize(PacketReader& reader, Progress& progress) {
    std::int32_t packetSize = detectPacketSize(reader.firstBatch(), reader.firstBatchIsWholeFile());
    if (packetSize != 0) {
        // The first batch is still in memory: the check starts again at its first byte.
        reader.setPacketSize(packetSize);
        if (!reader.rewind()) return 0;
        progress.start();
        return packetSize;
    }
    packetSize = findPacketSizeFurtherIn(reader, progress);
    reader.setPacketSize(packetSize);
    return packetSize;
}

}  // namespace

int checkRecording(const char* inputName, const ConvertArgs& args, const ConvertOptions& options) {
    platform::watchInterrupts();
    PacketReader reader;
    if (!openAtFirstBatch(reader, inputName, args, options)) return kCheckFailed;
    Progress progress(options.trace, reader.fileSize(), ProgressLabel::Checking);
    const std::int32_t packetSize = findPacketSize(reader, progress);
    if (packetSize == 0) return kCheckFailed;

    // A check removes nothing: the skipped bytes show in the report instead of as messages.
    reader.setReportRemoved(false);
    StreamHealth health;
    reader.observeDeliveries(&health);
    ReadStatus status = ReadStatus::Packet;
    while ((status = reader.passPackets()) == ReadStatus::Packet) progress.update(reader.consumed());
    if (status == ReadStatus::Failed && !reader.interrupted()) return kCheckFailed;
    const bool complete = status == ReadStatus::End;
    if (!complete) platform::print("%s", msg::kCheckInterrupted);

    const std::int64_t delivered = static_cast<std::int64_t>(health.total().packets) * packetSize;
    const HealthSummary summary{inputName, packetSize, reader.consumed() - delivered, complete};
    reader.close();
    if (options.json) {
        if (!writeHealthJson(health, summary)) {
            platform::print("%s", msg::kWriteFailed);
            return kCheckFailed;
        }
    } else {
        printHealthTable(health, summary);
    }
    if (!complete) return kCheckFailed;
    return isClean(health, summary) ? kCheckClean : kCheckFoundProblems;
}

}  // namespace korvet
