// Writes the recorder folder of the folder-run benchmark:
//   make_bench_bdav ROOT COUNT MIB
// ROOT/BDAV with COUNT playlists (00001.rpls ...) and their streams of MIB MiB each, in BD192
// packets. Playlist n plays clip 100 + n, so that the numbers differ as after editing. Each
// stream repeats a two-second block (about 16.8 Mbit/s) with PAT, PMT, SDT and the EIT
// present/following sections at its start, as the scan benchmark's streams do.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "rpls/rpls_fixture.h"
#include "sample_stream.h"

namespace {

// Two seconds at about 16.8 Mbit/s.
ts_streams::Bytes twoSecondBlock() { return ts_streams::buildSampleProgrammeBlock(192, 22340, true); }

bool writeStream(const std::string& path, const ts_streams::Bytes& block, long long targetBytes) {
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) return false;
    long long written = 0;
    bool ok = true;
    while (ok && written < targetBytes) {
        const long long left = targetBytes - written;
        const std::size_t length =
            left < static_cast<long long>(block.size()) ? static_cast<std::size_t>(left) : block.size();
        ok = std::fwrite(block.data(), 1, length, file) == length;
        written += static_cast<long long>(length);
    }
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::printf("usage: make_bench_bdav ROOT COUNT MIB\n");
        return 1;
    }
    const int count = std::atoi(argv[2]);
    const long long targetBytes = std::atoll(argv[3]) * 1024LL * 1024LL;
    const std::filesystem::path bdav = std::filesystem::path(argv[1]) / "BDAV";
    std::error_code error;
    std::filesystem::create_directories(bdav / "PLAYLIST", error);
    std::filesystem::create_directories(bdav / "STREAM", error);
    if (error || count < 1 || count > 899) {
        std::printf("cannot make %s with %d playlists\n", bdav.string().c_str(), count);
        return 1;
    }
    const ts_streams::Bytes block = twoSecondBlock();
    for (int n = 1; n <= count; ++n) {
        char playlist[16];
        char clip[16];
        std::snprintf(playlist, sizeof playlist, "%05d.rpls", n);
        std::snprintf(clip, sizeof clip, "%05d", 100 + n);
        fixture::RplsFields fields;
        fields.playItems = {{clip, "M2TS", 0, 45u * 60u * 45000u}};
        const std::string streamPath = (bdav / "STREAM" / (std::string(clip) + ".m2ts")).string();
        if (!fixture::writeNewFile((bdav / "PLAYLIST" / playlist).string(), fixture::buildRpls(fields)) ||
            !writeStream(streamPath, block, targetBytes)) {
            std::printf("cannot write playlist %s or stream %s\n", playlist, streamPath.c_str());
            return 1;
        }
    }
    return 0;
}
