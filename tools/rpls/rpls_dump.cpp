// Shows what RPLS playlist files hold, in readable UTF-8 or as JSON:
//   rpls-dump [--json] FILE...     every field of each playlist, its PlayItems included
//   rpls-dump [--json] FOLDER      a catalogue of a BDAV folder (or of its parent)
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

#include "rpls/catalogue.h"
#include "rpls/dump_fields.h"
#include "rpls/packet_format.h"

namespace {

constexpr const char* kUsage =
    "usage: rpls-dump [--json] FILE...   or   rpls-dump [--json] FOLDER\n"
    "  RPLSファイルの番組情報を表示します. / Shows the programme information of RPLS files.\n"
    "  FOLDER: BDAV フォルダかその親の一覧 / a catalogue of a BDAV folder or its parent\n"
    "  --json       1ファイル1行のJSON, 一覧はJSON配列 / one JSON object per file and line;\n"
    "               a catalogue is one JSON array\n"
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

// Answers false when the file cannot be read or is not a playlist (after saying so).
bool dumpFile(const std::string& name, bool json) {
    std::vector<std::uint8_t> bytes;
    static dump::Dump d;
    if (!readFile(name, bytes, d.size)) return false;
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "PLST", 4) != 0) {
        const inspect::PacketFormat format = inspect::guessPacketFormat(bytes.data(), bytes.size());
        const std::string what = std::string("not an RPLS file: ") + inspect::describePacketFormat(format);
        complain(name, what.c_str());
        return false;
    }
    d.name = name;
    dump::decodeImage(rpls::ConstByteView(bytes.data(), bytes.size()), d);
    if (json) {
        std::printf("%s\n", dump::jsonObject(d).c_str());
    } else {
        dump::printReadable(d);
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
        std::error_code error;
        const bool folder = std::filesystem::is_directory(files[i], error);
        allDumped = (folder ? inspect::printCatalogue(files[i], json) : dumpFile(files[i], json)) && allDumped;
        std::fflush(stdout);
    }
    return allDumped ? 0 : 1;
}
