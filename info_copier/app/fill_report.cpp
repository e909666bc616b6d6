#include "app/fill_report.h"

#include <cstdio>
#include <cstring>

#include "app/field_text.h"
#include "app/folder_messages.h"
#include "platform/console.h"
#include "rpls/read_rpls_info.h"

namespace app {

namespace {

unsigned be16(const std::uint8_t* bytes) { return (unsigned{bytes[0]} << 8) | bytes[1]; }

std::string zoneText(const rpls::ProgramInfo& info) { return std::to_string(info.zone); }
std::string codePairText(const rpls::ProgramInfo& info) {
    return std::to_string(be16(info.codePair)) + "/" + std::to_string(be16(info.codePair + 2));
}
std::string privateCodeText(const rpls::ProgramInfo& info) {
    if (info.privateCode < 0) return "-";
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(info.privateCode));
    return text;
}
std::string channelNumberText(const rpls::ProgramInfo& info) { return std::to_string(be16(info.channelNumber)); }
std::string channelNameText(const rpls::ProgramInfo& info) {
    return decodedText(info.channelName, info.channelNameLength);
}
std::string titleText(const rpls::ProgramInfo& info) { return decodedText(info.title, info.titleLength); }
std::string descriptionText(const rpls::ProgramInfo& info) { return decodedText(info.text, info.textLength); }
std::string extTextText(const rpls::ProgramInfo& info) { return decodedText(info.extText, info.extTextLength); }

// An empty text shows as a word, so that a line never ends in a bare separator.
std::string shown(const std::string& text) { return text.empty() ? "(なし)" : text; }

struct FieldLine {
    const char* label;
    std::string (*render)(const rpls::ProgramInfo&);
};

// Every field group a copy can change, in the order of the playlist.
constexpr FieldLine kFieldLines[] = {
    {"放送日", dateText},
    {"開始時刻", startTimeText},
    {"放送時間", durationText},
    {"ゾーン", zoneText},
    {"コードペア", codePairText},
    {"プライベートコード", privateCodeText},
    {"チャンネル番号", channelNumberText},
    {"チャンネル名", channelNameText},
    {"番組名", titleText},
    {"番組内容", descriptionText},
    {"詳細情報", extTextText},
    {"ジャンル", genresText},
};

rpls::ProgramInfo& decode(rpls::ConstByteView image, rpls::ProgramInfo& info) {
    std::memset(&info, 0, sizeof info);
    rpls::fillFromRplsImage(image, info);
    return info;
}

void printHolds(const rpls::ProgramInfo& info) {
    platform::print("%s %s %s: %s\n", dateText(info).c_str(), startTimeText(info).c_str(),
                    shown(channelNameText(info)).c_str(), shown(titleText(info)).c_str());
}

void printChanges(const rpls::ProgramInfo& before, const rpls::ProgramInfo& after) {
    bool any = false;
    for (const FieldLine& line : kFieldLines) {
        const std::string old = shown(line.render(before));
        const std::string now = shown(line.render(after));
        if (old == now) continue;
        platform::print("    %s: %s → %s\n", line.label, old.c_str(), now.c_str());
        any = true;
    }
    if (!any) platform::print("%s", folder_msg::kOnlyHiddenBytes);
}

}  // namespace

void reportPlaylist(const std::string& playlist, const FillResult& result, const rpls::WholeFile& image, bool dryRun) {
    static rpls::ProgramInfo before;
    static rpls::ProgramInfo after;
    const char* name = playlist.c_str();
    const char* stream = result.stream.c_str();
    switch (result.outcome) {
        case FillOutcome::Filled:
            platform::print(dryRun ? folder_msg::kWouldFill : folder_msg::kFilled, name, stream);
            printHolds(decode(image.view(), after));
            if (dryRun) printChanges(decode(image.original(), before), after);
            return;
        case FillOutcome::UpToDate:
            platform::print(folder_msg::kUpToDate, name, stream);
            printHolds(decode(image.view(), after));
            return;
        case FillOutcome::NotFilled:
        case FillOutcome::Interrupted:
            if (result.stream.empty()) {
                platform::print(folder_msg::kNotFilled, name, result.reason);
            } else if (dryRun && result.imageLoaded) {
                // A dry run that could not write still shows what the real run would try to change.
                platform::print(folder_msg::kWouldNotFill, name, stream, result.reason);
                printChanges(decode(image.original(), before), decode(image.view(), after));
            } else {
                platform::print(folder_msg::kNotFilledFromStream, name, stream, result.reason);
            }
            return;
    }
}

}  // namespace app
