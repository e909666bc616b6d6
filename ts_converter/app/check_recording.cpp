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

// Opens the input and finds its packet size from its first batch; 0 after printing a message.
std::int32_t openWithPacketSize(PacketReader& reader, const char* inputName, const ConvertArgs& args,
                                const ConvertOptions& options) {
    if (!openInput(reader, inputName, kTsPacketSize, args.readBlocks, options.unbuffered)) return 0;
    if (!reader.rewind()) {
        if (reader.interrupted()) platform::print("%s", msg::kCheckInterrupted);
        return 0;
    }
    const std::int32_t packetSize = detectPacketSize(reader.firstBatch(), reader.firstBatchIsWholeFile());
    if (packetSize == 0) {
        platform::print(msg::kNoPacketSizeFound, static_cast<long long>(reader.firstBatch().size()));
        return 0;
    }
    reader.setPacketSize(packetSize);
    // The first batch is still in memory: the check starts again at its first byte.
    if (!reader.rewind()) return 0;
    return packetSize;
}

}  // namespace

int checkRecording(const char* inputName, const ConvertArgs& args, const ConvertOptions& options) {
    platform::watchInterrupts();
    PacketReader reader;
    const std::int32_t packetSize = openWithPacketSize(reader, inputName, args, options);
    if (packetSize == 0) return kCheckFailed;

    // A check removes nothing: the skipped bytes show in the report instead of as messages.
    reader.setReportRemoved(false);
    StreamHealth health;
    reader.observeDeliveries(&health);
    Progress progress(options.trace, reader.fileSize(), ProgressLabel::Checking);
    progress.start();
    const std::uint8_t* packet = nullptr;
    ReadStatus status = ReadStatus::Packet;
    while ((status = reader.nextPacket(packet)) == ReadStatus::Packet) progress.update(reader.consumed());
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
