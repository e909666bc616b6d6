// Programme fields as text for the folder run's lines: dates and times from packed BCD, ARIB
// texts decoded, line breaks shown as " / " so that every field stays on its line.
#pragma once

#include <cstdint>
#include <string>

#include "rpls/program_info.h"

namespace app {

std::string dateText(const rpls::ProgramInfo& info);       // 2024-01-31
std::string startTimeText(const rpls::ProgramInfo& info);  // 20:00:00
std::string durationText(const rpls::ProgramInfo& info);   // 00:45:00
std::string decodedText(const std::uint8_t* bytes, int length);
std::string genresText(const rpls::ProgramInfo& info);  // "0x80 0xA2", "-" for none

}  // namespace app
