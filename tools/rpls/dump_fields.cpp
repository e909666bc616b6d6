#include "rpls/dump_fields.h"

#include <cstdio>
#include <cstring>

#include "arib/arib_text.h"
#include "platform/utf8.h"
#include "rpls/genre_names.h"
#include "rpls/json_text.h"
#include "rpls/read_rpls_info.h"

namespace dump {

// Defined with the other fields below.
void appendField(std::string& out, const char* key, const std::string& value);
void appendNumber(std::string& out, const char* key, std::uintmax_t value);

void decodeImage(rpls::ConstByteView image, Dump& d) {
    std::memset(&d.info, 0, sizeof d.info);
    rpls::fillFromRplsImage(image, d.info);
    d.block = rpls::findPrivateBlock(image);
    if (d.block.outsideImage) d.block.layout = rpls::PrivateLayout::None;
    d.playList = rpls::readPlayList(image);
    d.items.clear();
    d.streams.clear();
    rpls::PlayItem item;
    for (rpls::PlayItemCursor cursor(image, d.playList); cursor.next(item);) d.items.push_back(item);
}

std::string clockText(std::uint32_t ticks) {
    const std::uint32_t seconds = ticks / rpls::kPlayItemTicksPerSecond;
    char text[40];
    std::snprintf(text, sizeof text, "%u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// A clip's codec identifier as text: other bytes than printable ASCII become '?'.
std::string codecText(const rpls::PlayItem& item) {
    std::string out;
    for (std::size_t i = 0; i < rpls::kCodecLength; ++i) {
        const char c = item.codec[i];
        out += c > ' ' && c < 0x7F ? c : '?';
    }
    return out;
}

std::string problemText(const rpls::PlayList& list) {
    char text[160];
    rpls::describePlayListProblem(list, rpls::Language::English, text, sizeof text);
    return text;
}

void printPlayItems(const Dump& d) {
    if (d.playList.problem != rpls::PlayListProblem::None) {
        std::printf("play items           %s\n", problemText(d.playList).c_str());
        return;
    }
    if (d.items.empty()) std::printf("play items           -\n");
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        const rpls::PlayItem& item = d.items[i];
        std::printf("play item %-10zu %s %s %s-%s (%u-%u)\n", i + 1, item.clipName, codecText(item).c_str(),
                    clockText(item.inTime).c_str(), clockText(item.outTime).c_str(), item.inTime, item.outTime);
    }
}

void appendPlayItems(std::string& out, const Dump& d) {
    if (d.playList.problem != rpls::PlayListProblem::None) appendField(out, "playListProblem", problemText(d.playList));
    out += ",\"playItems\":[";
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        const rpls::PlayItem& item = d.items[i];
        if (i != 0) out += ',';
        out += "{\"clip\":";
        inspect::appendJsonString(out, item.clipName);
        appendField(out, "codec", codecText(item));
        appendNumber(out, "inTime", item.inTime);
        appendNumber(out, "outTime", item.outTime);
        if (i < d.streams.size()) {
            const ClipStream& stream = d.streams[i];
            out += ",\"stream\":";
            if (stream.path.empty()) {
                out += "null";
            } else {
                inspect::appendJsonString(out, stream.path);
            }
            out += ",\"streamSize\":" + (stream.present ? std::to_string(stream.size) : std::string("null"));
        }
        out += '}';
    }
    out += ']';
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
    printPlayItems(d);
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

std::string jsonObject(const Dump& d) {
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
    out += ']';
    appendPlayItems(out, d);
    out += '}';
    return out;
}

}  // namespace dump
