// Shows what RPLS playlist files hold, in readable UTF-8 or as JSON:
//   rpls-dump [--json] FILE...
// A file that is not a playlist is named as what it looks like (a TS file of 188-byte
// packets, BD192, FW192) and makes the status 1, as does one that cannot be read.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "arib/arib_text.h"
#include "platform/utf8.h"
#include "rpls/genre_names.h"
#include "rpls/json_text.h"
#include "rpls/packet_format.h"
#include "rpls/private_block.h"
#include "rpls/read_rpls_info.h"

namespace {

constexpr const char* kUsage =
    "usage: rpls-dump [--json] FILE...\n"
    "  RPLSファイルの番組情報を表示します. / Shows the programme information of RPLS files.\n"
    "  --json       1ファイル1行のJSON / one JSON object per file and line\n"
    "  -h, --help   この説明 / this help\n"
    "  --version    版数 / version\n";
constexpr const char* kVersion = "rpls-dump 1.0\n";

// Playlists are a few kilobytes; a TS file needs only its first packets to be recognised.
constexpr std::size_t kReadLimit = 16u << 20;

std::string printable(const std::string& name) {
    std::string out;
    for (char c : name) out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
    return out;
}

void complain(const std::string& name, const char* what) {
    std::fprintf(stderr, "rpls-dump: %s: %s\n", printable(name).c_str(), what);
}

// Reads up to kReadLimit bytes of a regular file. Answers false after saying why not.
bool readFile(const std::string& name, std::vector<std::uint8_t>& bytes, std::uintmax_t& fileSize) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(name, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        complain(name, "no such file (ファイルがありません)");
        return false;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        complain(name, "is a directory (ディレクトリです)");
        return false;
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        complain(name, error ? error.message().c_str() : "not a regular file (通常のファイルではありません)");
        return false;
    }
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) {
        complain(name, std::strerror(errno));
        return false;
    }
    fileSize = std::filesystem::file_size(name, error);
    bytes.resize(kReadLimit);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        complain(name, "read error (読み込みに失敗しました)");
        return false;
    }
    bytes.resize(got);
    if (error) fileSize = got;
    return true;
}

std::string decodeText(const std::uint8_t* bytes, int length) {
    static char16_t units[65536];
    static char utf8[65536 * 3 + 1];
    const int count = arib::decodeAribText(units, 65536, bytes, length);
    const std::size_t n = platform::utf16ToUtf8(units, static_cast<std::size_t>(count), utf8, sizeof utf8 - 1);
    return std::string(utf8, n);
}

const char* layoutName(rpls::PrivateLayout layout) {
    switch (layout) {
        case rpls::PrivateLayout::Layout0108: return "0x0108";
        case rpls::PrivateLayout::Layout0103: return "0x0103";
        case rpls::PrivateLayout::None: break;
    }
    return "none";
}

std::string bcd(const std::uint8_t* digits, int count, const char* separator) {
    std::string out;
    char pair[3];
    for (int i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", digits[i]);
        if (i != 0 && !(count == 4 && i == 1)) out += separator;  // the year's four digits stay together
        out += pair;
    }
    return out;
}

unsigned be16(const std::uint8_t* bytes) { return (unsigned{bytes[0]} << 8) | bytes[1]; }

std::string genreName(std::uint8_t genre, bool japanese) {
    const genres::Name& level1 = genres::level1Name(genre);
    std::string out = japanese ? level1.japanese : level1.english;
    if (const genres::Name* level2 = genres::level2Name(genre)) {
        out += " - ";
        out += japanese ? level2->japanese : level2->english;
    }
    return out;
}

// One decoded file, as both printers see it.
struct Dump {
    std::string name;
    std::uintmax_t size = 0;
    rpls::PrivateBlock block;
    rpls::ProgramInfo info;
};

void printText(const char* label, const std::uint8_t* bytes, int length) {
    const std::string utf8 = decodeText(bytes, length);
    // Continuation lines are indented under the first one; CR of each CR LF is left out.
    std::printf("%-20s (%4d bytes) ", label, length);
    for (char c : utf8) {
        if (c == '\r') continue;
        if (c == '\n') {
            std::printf("\n%34s", "");
        } else {
            std::putchar(c);
        }
    }
    std::printf("\n");
}

void printReadable(const Dump& d) {
    static bool printedOne = false;  // files are separated by an empty line
    if (printedOne) std::printf("\n");
    printedOne = true;
    const rpls::ProgramInfo& info = d.info;
    std::printf("file                 %s (%ju bytes)\n", d.name.c_str(), d.size);
    std::printf("private block        %s", layoutName(d.block.layout));
    if (d.block.layout != rpls::PrivateLayout::None) std::printf(" at 0x%X", static_cast<unsigned>(d.block.offset));
    std::printf("\n");
    std::printf("date                 %s\n", bcd(info.date, 4, "-").c_str());
    std::printf("start time           %s\n", bcd(info.startTime, 3, ":").c_str());
    std::printf("duration             %s\n", bcd(info.duration, 3, ":").c_str());
    std::printf("zone                 %u\n", info.zone);
    std::printf("code pair            %u %u\n", be16(info.codePair), be16(info.codePair + 2));
    if (info.privateCode >= 0) {
        std::printf("private code         0x%04X\n", static_cast<unsigned>(info.privateCode));
    } else {
        std::printf("private code         -\n");
    }
    std::printf("channel number       %u\n", be16(info.channelNumber));
    printText("channel name", info.channelName, info.channelNameLength);
    printText("title", info.title, info.titleLength);
    printText("description", info.text, info.textLength);
    if (d.block.layout == rpls::PrivateLayout::Layout0108) {
        printText("extended description", info.extText, info.extTextLength);
    }
    const char* label = "genres";
    for (const auto& genre : info.genres) {
        if (genre.present != 1) continue;
        std::printf("%-20s 0x%02X %s / %s\n", label, genre.value, genreName(genre.value, true).c_str(),
                    genreName(genre.value, false).c_str());
        label = "";
    }
    if (*label != '\0') std::printf("genres               -\n");
}

void appendText(std::string& out, const char* key, const std::uint8_t* bytes, int length) {
    out += ",\"";
    out += key;
    out += "\":{\"text\":";
    inspect::appendJsonString(out, decodeText(bytes, length));
    out += ",\"bytes\":";
    inspect::appendJsonHex(out, bytes, static_cast<std::size_t>(length));
    out += '}';
}

void appendField(std::string& out, const char* key, const std::string& value) {
    out += ",\"";
    out += key;
    out += "\":";
    inspect::appendJsonString(out, value);
}

void appendNumber(std::string& out, const char* key, std::uintmax_t value) {
    out += ",\"";
    out += key;
    out += "\":";
    out += std::to_string(value);
}

void printJson(const Dump& d) {
    const rpls::ProgramInfo& info = d.info;
    std::string out = "{\"file\":";
    inspect::appendJsonString(out, d.name);
    appendNumber(out, "size", d.size);
    appendField(out, "layout", layoutName(d.block.layout));
    if (d.block.layout != rpls::PrivateLayout::None) appendNumber(out, "privateBlockOffset", d.block.offset);
    appendField(out, "date", bcd(info.date, 4, "-"));
    appendField(out, "startTime", bcd(info.startTime, 3, ":"));
    appendField(out, "duration", bcd(info.duration, 3, ":"));
    appendNumber(out, "zone", info.zone);
    out +=
        ",\"codePair\":[" + std::to_string(be16(info.codePair)) + "," + std::to_string(be16(info.codePair + 2)) + "]";
    out += ",\"privateCode\":" + (info.privateCode >= 0 ? std::to_string(info.privateCode) : std::string("null"));
    appendNumber(out, "channelNumber", be16(info.channelNumber));
    appendText(out, "channelName", info.channelName, info.channelNameLength);
    appendText(out, "title", info.title, info.titleLength);
    appendText(out, "description", info.text, info.textLength);
    if (d.block.layout == rpls::PrivateLayout::Layout0108) {
        appendText(out, "extendedDescription", info.extText, info.extTextLength);
    }
    out += ",\"genres\":[";
    bool first = true;
    for (const auto& genre : info.genres) {
        if (genre.present != 1) continue;
        if (!first) out += ',';
        first = false;
        out += "{\"value\":" + std::to_string(genre.value);
        appendNumber(out, "level1", genre.value >> 4u);
        appendNumber(out, "level2", genre.value & 0x0Fu);
        appendField(out, "ja", genreName(genre.value, true));
        appendField(out, "en", genreName(genre.value, false));
        out += '}';
    }
    out += "]}\n";
    std::fputs(out.c_str(), stdout);
}

// Answers false when the file cannot be read or is not a playlist (after saying so).
bool dumpFile(const std::string& name, bool json) {
    std::vector<std::uint8_t> bytes;
    static Dump d;
    if (!readFile(name, bytes, d.size)) return false;
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "PLST", 4) != 0) {
        const inspect::PacketFormat format = inspect::guessPacketFormat(bytes.data(), bytes.size());
        const std::string what = std::string("not an RPLS file: ") + inspect::describePacketFormat(format);
        complain(name, what.c_str());
        return false;
    }
    d.name = name;
    const rpls::ConstByteView image(bytes.data(), bytes.size());
    std::memset(&d.info, 0, sizeof d.info);
    rpls::fillFromRplsImage(image, d.info);
    d.block = rpls::findPrivateBlock(image);
    if (d.block.outsideImage) d.block.layout = rpls::PrivateLayout::None;
    if (json) {
        printJson(d);
    } else {
        printReadable(d);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::fputs(kVersion, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "rpls-dump: unknown option %s\n%s", printable(std::string(arg)).c_str(), kUsage);
            return 1;
        }
    }
    if (files.empty()) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    bool allDumped = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        allDumped = dumpFile(files[i], json) && allDumped;
        std::fflush(stdout);
    }
    return allDumped ? 0 : 1;
}
