// DateTime: an OLE Automation date (days from 1899-12-30, time of day as the fraction).
#pragma once
#include <cstdint>

using DateTime = double;

extern const DateTime kDateTimeMin;  // 0100-01-01 00:00:00, also every failed conversion
extern const DateTime kDateTimeMax;  // 9999-12-31 00:00:00

struct CalendarFields {
  int32_t year, month, day, hour, minute, second;
  int32_t dayOfWeek;  // 1 = Sunday ... 7 = Saturday
};

bool makeDateTime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                  int32_t second, DateTime *out);
bool splitDateTime(DateTime value, CalendarFields *out);
DateTime clampDateTime(DateTime value);
