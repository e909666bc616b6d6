// libFuzzer driver for the stream side of KORVET: arbitrary bytes as an input file of 188- or
// 192-byte packets. The reader regains alignment, PAT/PMT discovery assembles sections, and
// every delivered packet goes through the PCR timestamper (into a slot ring shaped like the
// writer's) and the header converter, and is counted by the stream check twice: handed over by
// the reader in runs (as --check counts) and one packet at a time. Besides memory safety it
// checks that the reader accounts for every input byte, delivers only packets with the sync
// byte in place, and hands the check exactly the packets it delivered.
#include "health/stream_health.h"
#include "io/packet_reader.h"
#include "psi/discover_pcr_pid.h"
#include "stamp/header_converter.h"
#include "stamp/pcr_timestamper.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail() { std::abort(); }

std::string inputPath() { return "/tmp/fuzz_korvet_stream_" + std::to_string(::getpid()) + ".ts"; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::int32_t packetSize = (data[0] & 1) != 0 ? 192 : 188;
    const std::int32_t batchBlocks = 1 + ((data[0] >> 1) & 1);
    const std::uint32_t givenPid = data[1] | ((data[0] & 0xF8u) << 5);
    const std::string path = inputPath();
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return 0;
        std::fwrite(data + 2, 1, size - 2, file);
        std::fclose(file);
    }

    korvet::PacketReader reader;
    if (!reader.open(path.c_str(), packetSize, batchBlocks, (data[0] & 4) != 0)) fail();
    reader.setReportRemoved(false);
    if (size == 2) {
        if (reader.rewind()) fail();
        std::remove(path.c_str());
        return 0;
    }
    if (!reader.rewind()) fail();
    korvet::PsiInfo psi;
    // As on a pipe, discovery may be held to the first batch.
    reader.confineToFirstBatch((data[0] & 8) != 0);
    const bool found = korvet::discoverPcrPid(reader, psi);
    reader.confineToFirstBatch(false);
    if (psi.pmtPidCount < 0 || psi.pmtPidCount > korvet::kMaxPmtPids) fail();

    if (!reader.rewind()) fail();
    korvet::StreamHealth observed;
    korvet::StreamHealth direct;
    reader.observeDeliveries(&observed);
    korvet::PcrTimestamper stamper(found ? psi.pcrPid : givenPid, packetSize == 188);
    korvet::HeaderConverter converter(korvet::HeaderDirection::Fw192ToBd192, (data[0] & 2) != 0);
    std::vector<std::uint8_t> ring(192 * 64);
    std::size_t slotIndex = 0;
    bool stopped = false;
    const std::uint8_t* packet = nullptr;
    while (reader.nextPacket(packet) == korvet::ReadStatus::Packet) {
        if (packet[packetSize - 188] != 0x47) fail();
        direct.count(packet + packetSize - 188);
        // A ring of 64 slots: the walk over a segment follows it however often it wraps.
        std::uint8_t* slot = ring.data() + (slotIndex++ % 64) * 192;
        std::copy(packet + packetSize - 188, packet + packetSize, slot + 4);
        const std::int32_t result = stamper.step(korvet::TsPacket(packet + packetSize - 188, 188), slot);
        if (korvet::stampEvent(result) == korvet::StampEvent::PcrLost) {
            stopped = true;
            break;
        }
        converter.convert(korvet::ConstHeader(packet, 4), korvet::Header(slot, 4));
    }
    stamper.finish();
    reader.flushDelivered();
    for (std::int32_t pid = 0; pid < korvet::StreamHealth::kPidCount; ++pid) {
        const korvet::PidHealth& a = observed.pid(pid);
        const korvet::PidHealth& b = direct.pid(pid);
        if (a.packets != b.packets || a.drops != b.drops || a.errors != b.errors || a.scrambled != b.scrambled) fail();
        if (a.drops + a.errors > a.packets || a.scrambled + a.errors > a.packets) fail();
    }
    const auto delivered = static_cast<std::int64_t>(observed.total().packets) * packetSize;
    if (delivered > reader.consumed()) fail();
    // Every input byte is accounted for: delivered, removed as garbage or dropped as a tail.
    if (!stopped && reader.consumed() != static_cast<std::int64_t>(size - 2)) fail();
    reader.close();
    std::remove(path.c_str());
    return 0;
}
