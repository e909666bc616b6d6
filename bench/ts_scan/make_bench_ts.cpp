// Writes a large TS file for the scan benchmark:
//   make_bench_ts PATH with-eit|no-eit MIB
// The stream repeats a two-second block (about 16.8 Mbit/s): PAT, PMT, SDT and, with
// "with-eit", the EIT present/following sections at its start, then stand-in video packets.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sample_stream.h"

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[2], "with-eit") != 0 && std::strcmp(argv[2], "no-eit") != 0)) {
        std::printf("usage: make_bench_ts PATH with-eit|no-eit MIB\n");
        return 1;
    }
    const bool withEit = std::strcmp(argv[2], "with-eit") == 0;
    const long long targetBytes = std::atoll(argv[3]) * 1024LL * 1024LL;

    // The demo recording's programme, carried in one block that repeats: 2 s at 16.8 Mbit/s.
    using namespace ts_streams;
    const Bytes bytes = buildSampleProgrammeBlock(188, 22340, withEit);

    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::printf("cannot write %s\n", argv[1]);
        return 1;
    }
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
