// Prints what an RPLS file holds, in readable UTF-8:  rpls_dump FILE
#include <cstdio>
#include <cstring>
#include <vector>

#include "arib/arib_text.h"
#include "platform/utf8.h"
#include "rpls/private_block.h"
#include "rpls/read_rpls_info.h"
#include "rpls/rpls_fixture.h"

namespace {

void printText(const char* label, const std::uint8_t* bytes, int length) {
    static char16_t units[65536];
    static char utf8[65536 * 3 + 1];
    const int count = arib::decodeAribText(units, 65536, bytes, length);
    const std::size_t n = platform::utf16ToUtf8(units, static_cast<std::size_t>(count), utf8, sizeof utf8 - 1);
    utf8[n] = '\0';
    // Continuation lines are indented under the first one; CR of each CR LF is left out.
    std::printf("%-20s (%4d bytes) ", label, length);
    for (const char* p = utf8; *p != '\0'; ++p) {
        if (*p == '\r') continue;
        if (*p == '\n') {
            std::printf("\n%34s", "");
        } else {
            std::putchar(*p);
        }
    }
    std::printf("\n");
}

const char* layoutName(rpls::PrivateLayout layout) {
    switch (layout) {
        case rpls::PrivateLayout::Layout0108: return "0x0108";
        case rpls::PrivateLayout::Layout0103: return "0x0103";
        case rpls::PrivateLayout::None: break;
    }
    return "none";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: rpls_dump FILE\n");
        return 1;
    }
    std::vector<std::uint8_t> bytes;
    if (!fixture::readFile(argv[1], bytes) || bytes.size() < 4 || std::memcmp(bytes.data(), "PLST", 4) != 0) {
        std::printf("%s: not an RPLS file\n", argv[1]);
        return 1;
    }
    const rpls::ConstByteView image(bytes.data(), bytes.size());
    static rpls::ProgramInfo info;
    std::memset(&info, 0, sizeof info);
    rpls::fillFromRplsImage(image, info);
    const rpls::PrivateBlock block = rpls::findPrivateBlock(image);

    std::printf("file                 %s (%zu bytes)\n", argv[1], bytes.size());
    std::printf("private block        %s", layoutName(block.layout));
    if (block.layout != rpls::PrivateLayout::None) std::printf(" at 0x%X", static_cast<unsigned>(block.offset));
    std::printf("\n");
    std::printf("date                 %02X%02X-%02X-%02X\n", info.date[0], info.date[1], info.date[2], info.date[3]);
    std::printf("start time           %02X:%02X:%02X\n", info.startTime[0], info.startTime[1], info.startTime[2]);
    std::printf("duration             %02X:%02X:%02X\n", info.duration[0], info.duration[1], info.duration[2]);
    std::printf("zone                 %u\n", info.zone);
    std::printf("code pair            %u %u\n", (info.codePair[0] << 8) | info.codePair[1],
                (info.codePair[2] << 8) | info.codePair[3]);
    if (info.privateCode >= 0) {
        std::printf("private code         0x%04X\n", static_cast<unsigned>(info.privateCode));
    } else {
        std::printf("private code         -\n");
    }
    std::printf("channel number       %u\n", (info.channelNumber[0] << 8) | info.channelNumber[1]);
    printText("channel name", info.channelName, info.channelNameLength);
    printText("title", info.title, info.titleLength);
    printText("description", info.text, info.textLength);
    if (block.layout == rpls::PrivateLayout::Layout0108) {
        printText("extended description", info.extText, info.extTextLength);
    }
    std::printf("genres              ");
    bool any = false;
    for (const auto& genre : info.genres) {
        if (genre.present != 1) continue;
        std::printf(" %X/%X", genre.value >> 4, genre.value & 0x0F);
        any = true;
    }
    std::printf("%s\n", any ? "" : " -");
    return 0;
}
