#include "app/health_report.h"

#include "common/messages.h"
#include "platform/console.h"
#include "platform/file.h"
#include "platform/standard_streams.h"

#include <cstdio>
#include <string>

namespace korvet {

namespace {

using Count = unsigned long long;

// Length of the well-formed UTF-8 character at `text`, or 0.
std::size_t utf8Length(const unsigned char* text) {
    const unsigned char lead = text[0];
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    for (std::size_t i = 1; i < length; ++i)
        if ((text[i] & 0xC0) != 0x80) return 0;
    return length;
}

// A JSON string: quotes, backslashes and control characters escaped; a byte that is not part
// of a well-formed UTF-8 character (a file name in another coding) becomes U+FFFD.
std::string jsonString(const char* text) {
    std::string out = "\"";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    while (*bytes != 0) {
        const unsigned char c = *bytes;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const std::size_t length = utf8Length(bytes); length > 0) {
            out.append(reinterpret_cast<const char*>(bytes), length);
            bytes += length;
            continue;
        } else {
            out += "\\ufffd";
        }
        ++bytes;
    }
    return out + '"';
}

void appendFigures(std::string& out, const PidHealth& figures) {
    char text[160];
    std::snprintf(text, sizeof text, "\"packets\": %llu, \"drops\": %llu, \"errors\": %llu, \"scrambled\": %llu",
                  static_cast<Count>(figures.packets), static_cast<Count>(figures.drops),
                  static_cast<Count>(figures.errors), static_cast<Count>(figures.scrambled));
    out += text;
}

}  // namespace

void printHealthTable(const StreamHealth& health, const HealthSummary& summary) {
    platform::print("%s", msg::kHealthHeading);
    for (std::int32_t pid = 0; pid < StreamHealth::kPidCount; ++pid) {
        const PidHealth& row = health.pid(pid);
        if (row.packets == 0) continue;
        platform::print(msg::kHealthRow, static_cast<unsigned>(pid), static_cast<Count>(row.packets),
                        static_cast<Count>(row.drops), static_cast<Count>(row.errors),
                        static_cast<Count>(row.scrambled));
    }
    const PidHealth total = health.total();
    platform::print(msg::kHealthTotal, static_cast<Count>(total.packets), static_cast<Count>(total.drops),
                    static_cast<Count>(total.errors), static_cast<Count>(total.scrambled));
    platform::print(msg::kHealthRemoved, static_cast<long long>(summary.removedBytes));
    platform::print(msg::kHealthPacketSize, summary.packetSize);
}

bool writeHealthJson(const StreamHealth& health, const HealthSummary& summary) {
    const PidHealth total = health.total();
    std::string out = "{\"input\": " + jsonString(summary.inputName) +
                      ", \"packetSize\": " + std::to_string(summary.packetSize) + ", ";
    appendFigures(out, total);
    out += ", \"removedBytes\": " + std::to_string(summary.removedBytes) + ", \"pids\": [";
    bool first = true;
    for (std::int32_t pid = 0; pid < StreamHealth::kPidCount; ++pid) {
        const PidHealth& row = health.pid(pid);
        if (row.packets == 0) continue;
        out += first ? "{\"pid\": " : ", {\"pid\": ";
        first = false;
        out += std::to_string(pid) + ", ";
        appendFigures(out, row);
        out += '}';
    }
    out += "], \"complete\": ";
    out += summary.complete ? "true" : "false";
    out += "}\n";
    platform::File output;
    if (!platform::openStandardOutput(output)) return false;
    return output.write(out.data(), out.size()) == static_cast<std::int64_t>(out.size());
}

bool isClean(const StreamHealth& health, const HealthSummary& summary) {
    const PidHealth total = health.total();
    return total.drops == 0 && total.errors == 0 && total.scrambled == 0 && summary.removedBytes == 0;
}

}  // namespace korvet
