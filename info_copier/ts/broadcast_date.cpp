#include "ts/broadcast_date.h"

namespace ts {

CalendarDate mjdToDate(std::uint16_t mjd) {
    const double days = mjd;
    const int yearsSince1900 = static_cast<int>((days - 15078.2) / 365.25);
    const int yearDays = static_cast<int>(yearsSince1900 * 365.25);
    const int monthIndex = static_cast<int>((days - 14956.1 - yearDays) / 30.6001);
    const int day = static_cast<int>(mjd) - 14956 - yearDays - static_cast<int>(monthIndex * 30.6001);
    if (monthIndex == 14 || monthIndex == 15) return {yearsSince1900 + 1901, monthIndex - 13, day};
    return {yearsSince1900 + 1900, monthIndex - 1, day};
}

std::array<std::uint8_t, 4> packBcdDate(int year, int month, int day) {
    return {static_cast<std::uint8_t>((year / 1000) * 16 + (year % 1000) / 100),
            static_cast<std::uint8_t>(((year % 100) / 10) * 16 + year % 10),
            static_cast<std::uint8_t>((month / 10) * 16 + month % 10),
            static_cast<std::uint8_t>((day / 10) * 16 + day % 10)};
}

void applyEventTimes(rpls::ProgramInfo& info, FieldCursor& c) {
    const CalendarDate date = mjdToDate(c.u16());
    const std::array<std::uint8_t, 4> packed = packBcdDate(date.year, date.month, date.day);
    for (std::size_t i = 0; i < packed.size(); ++i) info.date[i] = packed[i];
    c.copyTo(sizeof info.startTime, info.startTime);
    const std::uint8_t duration[] = {c.u8(), c.u8(), c.u8()};
    if (duration[0] != 0xFF && duration[1] != 0xFF && duration[2] != 0xFF) {
        for (std::size_t i = 0; i < sizeof info.duration; ++i) info.duration[i] = duration[i];
    }
}

}  // namespace ts
