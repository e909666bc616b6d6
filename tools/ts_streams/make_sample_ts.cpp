// Writes the demo recording:  make_sample_ts PATH [188|192] [sit]   (never over an existing PATH)
// With "sit", the partial-TS form that carries the programme in an SIT instead.
#include <cstdio>
#include <cstring>

#include "sample_stream.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::printf("usage: make_sample_ts PATH [188|192] [sit]\n");
        return 1;
    }
    const int packetSize = argc >= 3 && std::strcmp(argv[2], "192") == 0 ? 192 : 188;
    const bool selection = argc == 4 && std::strcmp(argv[3], "sit") == 0;
    const ts_streams::Bytes stream =
        selection ? ts_streams::buildSampleSelectionStream(packetSize) : ts_streams::buildSampleStream(packetSize);
    std::FILE* file = std::fopen(argv[1], "wbx");  // x: create, fail when it exists
    if (!file) {
        std::printf("cannot create %s (it may exist already)\n", argv[1]);
        return 1;
    }
    const bool written = std::fwrite(stream.data(), 1, stream.size(), file) == stream.size();
    if (std::fclose(file) != 0 || !written) {
        std::printf("cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
