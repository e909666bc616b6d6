#include "app/run_korvet.h"

#include "app/check_recording.h"
#include "app/command_line.h"
#include "app/conversion.h"
#include "app/health_report.h"
#include "app/help_text.h"
#include "app/input_check.h"
#include "app/progress.h"
#include "app/stream_ends.h"
#include "common/messages.h"
#include "health/stream_health.h"
#include "io/packet_reader.h"
#include "io/packet_writer.h"
#include "io/stream_copy.h"
#include "platform/background_transfer.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file.h"
#include "platform/interrupt.h"
#include "platform/standard_streams.h"
#include "psi/discover_pcr_pid.h"
#include "stamp/header_converter.h"
#include "stamp/pcr_timestamper.h"

#include <array>
#include <optional>

namespace korvet {

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

// Trace character of each timestamper event under -d; 0 prints nothing.
constexpr std::array<char, 9> kTraceCharacters{0, 0, 'O', 0, 'S', '/', '-', '.', '*'};

struct Run {
    const ConversionInfo& info;
    const ConvertOptions& options;
    PacketReader& reader;
    PacketWriter& writer;
    std::optional<HeaderConverter>& converter;
    std::optional<PcrTimestamper>& timestamper;
};

bool findPcrPid(PacketReader& reader, const ConvertOptions& options, const ConvertArgs& args, std::uint32_t& pcrPid) {
    // Resynchronisation while looking for the tables stays silent.
    reader.setReportRemoved(false);
    if (!reader.rewind()) return false;
    if (options.pcrPidGiven) {
        pcrPid = static_cast<std::uint32_t>(args.pcrPid);
    } else {
        // A stream is read once: the tables must lie within the batch that is held.
        reader.confineToFirstBatch(reader.isStream());
        PsiInfo psi;
        const bool found = discoverPcrPid(reader, psi);
        reader.confineToFirstBatch(false);
        if (!found) {
            if (reader.isStream() && !reader.interrupted() && !reader.firstBatchIsWholeFile())
                platform::print(msg::kDiscoveryHint, static_cast<long long>(reader.firstBatch().size()));
            return false;
        }
        pcrPid = psi.pcrPid;
    }
    platform::print(msg::kPcrPid, pcrPid);
    return true;
}

// Reacts to one timestamper result: holds the writer while a segment waits for its times.
bool actOnStamp(std::int32_t result, const ConvertOptions& options, PacketWriter& writer) {
    if (opensSegment(result)) writer.setHold(true);
    const StampEvent event = stampEvent(result);
    if (event == StampEvent::PcrLost) {
        platform::print("%s", msg::kPcrLost);
        platform::print("%s", msg::kPcrLostHint);
        return false;
    }
    const auto index = static_cast<std::size_t>(event);
    if (options.trace && index < kTraceCharacters.size() && kTraceCharacters[index] != 0)
        platform::print("%c", kTraceCharacters[index]);
    if (event == StampEvent::Stamped || event == StampEvent::StampedAfterWait) writer.setHold(false);
    return true;
}

// Copies one packet into its slot and fills the slot's header; false ends the run.
template <HeaderSource kHeader>
bool convertPacket(Run& run, const std::uint8_t* packet, std::uint8_t* slot) {
    if constexpr (kHeader == HeaderSource::Dropped) {
        streamCopy(slot, packet + 4, kTsPacketSize);
    } else if constexpr (kHeader == HeaderSource::Converter) {
        // The new header goes out with the packet, in the same streamed lines.
        std::uint8_t header[4];
        run.converter->convert(ConstHeader(packet, 4), Header(header, 4));
        streamCopy(slot, header, sizeof header);
        streamCopy(slot + 4, packet + 4, kTsPacketSize);
    } else {
        // The header is written when the packet's time is known, a few hundred packets later,
        // with a streaming store of its own: the slot's lines are never fetched from memory,
        // neither now nor then.
        streamCopy(slot + 4, packet, kTsPacketSize);
        const std::int32_t result = run.timestamper->step(TsPacket(packet, kTsPacketSize), slot);
        if (!actOnStamp(result, run.options, run.writer)) return false;
    }
    return true;
}

template <HeaderSource kHeader>
bool convertAll(Run& run, Progress& progress) {
    for (;;) {
        const std::uint8_t* packet = nullptr;
        const ReadStatus status = run.reader.nextPacket(packet);
        if (status == ReadStatus::End) return true;
        if (status == ReadStatus::Failed) return false;
        std::uint8_t* slot = run.writer.nextSlot();
        if (slot == nullptr || !convertPacket<kHeader>(run, packet, slot)) return false;
        progress.update(run.reader.consumed());
    }
}

bool convertPackets(Run& run) {
    Progress progress(run.options.trace, run.reader.fileSize());
    progress.start();
    bool ok = false;
    switch (run.info.header) {
        case HeaderSource::Dropped: ok = convertAll<HeaderSource::Dropped>(run, progress); break;
        case HeaderSource::Converter: ok = convertAll<HeaderSource::Converter>(run, progress); break;
        case HeaderSource::Timestamper: ok = convertAll<HeaderSource::Timestamper>(run, progress); break;
    }
    // An interrupted run still stamps the packets it holds, as at the end of the file.
    if (!ok && !run.reader.interrupted()) return false;
    if (run.timestamper && run.timestamper->finish() == FinishResult::PendingStamped && run.options.trace)
        platform::print("E\n");
    return ok;
}

// The check's figures after the closing report (or after the interruption's message). False
// after printing the write-error message when the JSON object cannot be written.
bool reportHealth(const StreamHealth& health, const PacketReader& reader, const char* inputName,
                  const ConvertOptions& options) {
    const std::int64_t delivered = static_cast<std::int64_t>(health.total().packets) * reader.packetSize();
    const bool complete = !reader.interrupted();
    const HealthSummary summary{inputName, reader.packetSize(), reader.consumed() - delivered, complete};
    if (!options.json) {
        printHealthTable(health, summary);
        return true;
    }
    if (writeHealthJson(health, summary)) return true;
    platform::print("%s", msg::kWriteFailed);
    return false;
}

int convert(const char* const* argv, const ConvertArgs& args, const ConvertOptions& options) {
    const std::uint64_t startMs = platform::steadyMilliseconds();
    platform::watchInterrupts();
    const ConversionInfo& info = conversionInfo(chosenConversion(options));
    platform::print("%s", info.modeLine);
    platform::print("%s", msg::kStarting);

    // Carries out the writer's writes in the background while the conversion goes on. Declared
    // first: it outlives the writer, which collects its writes before it goes away.
    platform::BackgroundTransfer transfer;
    PacketReader reader;
    if (!openInput(reader, argv[args.inputArg], info.inputPacketSize, args.readBlocks, options.unbuffered))
        return kFailure;
    // An empty input, or one of the other packet format, ends the run before the output exists.
    if (!reader.rewind()) {
        if (reader.interrupted()) platform::print("%s", msg::kInterruptedBeforeOutput);
        return kFailure;
    }
    if (!checkInputFormat(reader, info, options.cycle3000)) return kFailure;

    std::optional<HeaderConverter> converter;
    std::optional<PcrTimestamper> timestamper;
    if (info.header == HeaderSource::Converter) {
        const HeaderDirection direction =
            options.fw192ToBd192 ? HeaderDirection::Fw192ToBd192 : HeaderDirection::Bd192ToFw192;
        converter.emplace(direction, options.cycle3000);
    }
    if (info.header == HeaderSource::Timestamper) {
        std::uint32_t pcrPid = 0;
        if (!findPcrPid(reader, options, args, pcrPid)) {
            if (reader.interrupted()) platform::print("%s", msg::kInterruptedBeforeOutput);
            return kFailure;
        }
        timestamper.emplace(pcrPid, info.conversion == Conversion::Ts188ToFw192);
    }

    const char* outputName = argv[args.outputArg];
    const bool toStandardOutput = namesStandardStream(outputName);
    PacketWriter writer;
    if (!openOutput(writer, outputName, info.outputPacketSize, options.unbuffered)) return kFailure;
    writer.writeBehindThrough(transfer);

    // The whole file is converted from its first byte, also after the tables were read.
    if (!reader.rewind()) return kFailure;
    reader.setReportRemoved(true);
    // --check counts every packet the conversion reads, in the same pass, as the reader hands
    // them over; the conversion itself is the same with it or without.
    std::optional<StreamHealth> health;
    if (options.check) reader.observeDeliveries(&health.emplace());

    Run run{info, options, reader, writer, converter, timestamper};
    const bool converted = convertPackets(run);
    if (!converted && !reader.interrupted()) return kFailure;
    // Writes out every packet handed over (an interrupted run keeps whole packets only) and
    // flushes the file to the disk: success means that the output is complete and stored.
    if (!writer.close()) return kFailure;
    if (!converted) {
        platform::print("%s", msg::kInterrupted);
        if (health) reportHealth(*health, reader, argv[args.inputArg], options);
        return kFailure;
    }
    if (writer.written() == 0) {
        // Nothing but garbage: the empty output that this run made goes again.
        platform::print("%s", msg::kNoPackets);
        if (toStandardOutput) {
            platform::print("%s", msg::kNoPacketsOnStandardOutput);
            return kFailure;
        }
        platform::print("%s", platform::removeFile(outputName) ? msg::kOutputRemoved : msg::kOutputNotRemoved);
        return kFailure;
    }

    const std::uint64_t endMs = platform::steadyMilliseconds();
    const auto seconds = static_cast<std::int32_t>((endMs - startMs) / 1000);
    platform::print(msg::kFinished, seconds);
    platform::print(msg::kTotalRead, static_cast<long long>(reader.consumed()));
    platform::print(msg::kTotalWrite, static_cast<long long>(writer.written()));
    // The conversion's status stands, whatever the check found.
    if (health && !reportHealth(*health, reader, argv[args.inputArg], options)) return kFailure;
    reader.close();
    return kSuccess;
}

}  // namespace

int runKorvet(int argc, const char* const* argv) {
    if (argc <= 1) {
        platform::print("%s", msg::kBanner);
        return kFailure;
    }
    // --version prints the banner's version line, without the blank line in front of it.
    switch (infoRequest(argc, argv)) {
        case InfoRequest::Help: platform::print("%s", kHelpText); return kSuccess;
        case InfoRequest::Version: platform::print("%s", msg::kBanner + 1); return kSuccess;
        case InfoRequest::None: break;
    }
    // Standard output that carries packets, or a JSON object, carries nothing else: every
    // message goes to standard error then.
    if (standardOutputCarriesData(argc, argv)) platform::printToStandardError();
    ConvertArgs args;
    ConvertOptions options;
    if (!parseCommandLine(argc, argv, args, options)) return kFailure;
    // A reader of standard output that goes away makes the next write fail with its message.
    if (args.outputArg != 0 && namesStandardStream(argv[args.outputArg])) platform::ignoreBrokenPipeSignal();
    if (options.check && args.outputArg == 0) return checkRecording(argv[args.inputArg], args, options);
    return convert(argv, args, options);
}

}  // namespace korvet
