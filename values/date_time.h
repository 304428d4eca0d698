// DateTime: an OLE Automation date (days from 1899-12-30, time of day as the fraction).
// Before 1899-12-30 the whole part is negative and the time of day is the fraction taken as
// a positive amount: -1.25 is 1899-12-29 06:00:00.
#pragma once
#include <cstdint>

using DateTime = double;

extern const DateTime kDateTimeMin;  // 0100-01-01 00:00:00, also every failed conversion
extern const DateTime kDateTimeMax;  // 9999-12-31 00:00:00

struct CalendarFields {
  int32_t year, month, day, hour, minute, second;
  int32_t dayOfWeek;  // 1 = Sunday ... 7 = Saturday
};

// True with the date-time of the Gregorian fields in *out; false (out untouched) when a field
// is out of range. The result is not held to kDateTimeMin..kDateTimeMax.
bool makeDateTime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                  int32_t second, DateTime *out);
// True with the fields of value rounded to the nearest second; false (out untouched) for NaN
// or a value outside kDateTimeMin..kDateTimeMax.
bool splitDateTime(DateTime value, CalendarFields *out);
// The value moved into kDateTimeMin..kDateTimeMax; NaN becomes kDateTimeMax.
DateTime clampDateTime(DateTime value);
