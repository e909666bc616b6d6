// Writes a large TS file for the scan benchmark:
//   make_bench_ts PATH with-eit|no-eit MIB
// The stream repeats a two-second block (about 16.8 Mbit/s): PAT, PMT, SDT and, with
// "with-eit", the EIT present/following sections at its start, then stand-in video packets.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sample_stream.h"
#include "ts_stream_builder.h"

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[2], "with-eit") != 0 && std::strcmp(argv[2], "no-eit") != 0)) {
        std::printf("usage: make_bench_ts PATH with-eit|no-eit MIB\n");
        return 1;
    }
    const bool withEit = std::strcmp(argv[2], "with-eit") == 0;
    const long long targetBytes = std::atoll(argv[3]) * 1024LL * 1024LL;

    // The demo recording's programme, carried in one block that repeats.
    using namespace ts_streams;
    const SampleProgramme programme = sampleProgramme();
    constexpr int kPacketsPerBlock = 22340;  // 2 s at 16.8 Mbit/s
    TsStreamBuilder block(188);
    block.addSection(0x0000, patSection(SampleProgramme::kNetworkId,
                                        {{0, 0x0010}, {SampleProgramme::kServiceId, SampleProgramme::kPmtPid}}));
    block.addSection(SampleProgramme::kPmtPid,
                     pmtSection(SampleProgramme::kServiceId, SampleProgramme::kVideoPid, SampleProgramme::kVideoPid));
    block.addSection(0x0011,
                     sdtSection(0x42, SampleProgramme::kNetworkId, SampleProgramme::kNetworkId,
                                {{SampleProgramme::kServiceId, serviceDescriptor(1, {}, programme.channelName)}}));
    if (withEit) {
        EitFields present;
        present.serviceId = SampleProgramme::kServiceId;
        present.originalNetworkId = SampleProgramme::kNetworkId;
        EitEvent event;
        event.descriptors =
            concat({shortEventDescriptor(programme.title, programme.text),
                    extendedEventDescriptor(0, 0, programme.items, {}), contentDescriptor(programme.genres)});
        present.events = {event};
        EitFields following = present;
        following.sectionNumber = 1;
        block.addSections(0x0012, {eitSection(present), eitSection(following)});
    }
    const int tables = static_cast<int>(block.bytes().size() / 188);
    block.addFillerPackets(kPacketsPerBlock - tables, SampleProgramme::kVideoPid);

    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::printf("cannot write %s\n", argv[1]);
        return 1;
    }
    const Bytes& bytes = block.bytes();
    long long written = 0;
    while (written < targetBytes) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            std::printf("cannot write %s\n", argv[1]);
            std::fclose(file);
            return 1;
        }
        written += static_cast<long long>(bytes.size());
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
