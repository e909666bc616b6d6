// Dates and times of events: a 16-bit Modified Julian Date with BCD hours, minutes and
// seconds in the stream; packed BCD in the record.
#pragma once

#include <array>
#include <cstdint>

#include "rpls/program_info.h"
#include "ts/field_cursor.h"

namespace ts {

struct CalendarDate {
    int year;
    int month;
    int day;
};

// The usual conversion of DVB/ARIB service information, in double precision with truncation.
CalendarDate mjdToDate(std::uint16_t mjd);

// Century digits, year within the century, month, day: 2024-01-31 is 20 24 01 31.
std::array<std::uint8_t, 4> packBcdDate(int year, int month, int day);

// Reads start_time and duration and sets `date` and `startTime` from the 5-byte start time
// (MJD, then BCD hh mm ss) and `duration` from the 3-byte BCD duration unless one of its
// bytes is 0xFF (undefined), in which case `duration` keeps its value.
void applyEventTimes(rpls::ProgramInfo& info, FieldCursor& c);

}  // namespace ts
