// Random bytes as a TS file through the whole reading path: packet reader, section
// assembly, both scans and the parsers. The first two bytes pick the packet size and the
// start percentage; the rest is the file. The reader takes a file, so the bytes go to a
// temporary file named after the process (parallel runs keep apart) and removed after each
// input.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/file.h"
#include "rpls/fuzz/record_bounds.h"
#include "ts/read_ts_info.h"

namespace {

const std::string& inputPath() {
    static const std::string path = "/tmp/fuzz_ts_stream_" + std::to_string(::getpid()) + ".ts";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int packetSize = (data[0] & 1) ? 192 : 188;
    const int percent = data[1] % 100;
    const char* path = inputPath().c_str();
    std::FILE* out = std::fopen(path, "wb");
    if (!out) return 0;
    std::fwrite(data + 2, 1, size - 2, out);
    std::fclose(out);

    {
        platform::File file;
        if (file.openExisting(path, platform::Access::Read, false)) {
            static rpls::ProgramInfo info;
            std::memset(&info, 0, sizeof info);
            ts::readTsInfo(info, file, packetSize, percent);
            if (!rpls::lengthsInsideFields(info)) __builtin_trap();
        }
    }
    std::remove(path);
    return 0;
}
