// Writes the bundled recorder folder:  make_sample_bdav ROOT   (ROOT/BDAV; never over an existing one)
#include <cstdio>

#include "sample_bdav.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: make_sample_bdav ROOT\n");
        return 1;
    }
    if (!ts_streams::writeSampleBdav(argv[1])) {
        std::printf("cannot write %s/BDAV (it may exist already)\n", argv[1]);
        return 1;
    }
    return 0;
}
