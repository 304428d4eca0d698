// The platform clock's calendar fields and their conversions from and to date-times.
#pragma once
#include <cstdint>

#include "values/date_time.h"

// The fields of a Windows SYSTEMTIME, in its order and layout, without <windows.h>.
struct SystemTimeFields {
  uint16_t wYear;
  uint16_t wMonth;
  uint16_t wDayOfWeek;  // 0 = Sunday
  uint16_t wDay;
  uint16_t wHour;
  uint16_t wMinute;
  uint16_t wSecond;
  uint16_t wMilliseconds;
};

static_assert(sizeof(SystemTimeFields) == 16, "SYSTEMTIME is eight 16-bit fields");

// The fields to set the clock to for value: clamped into the splittable range, rounded to
// the nearest second, milliseconds 0. Cannot fail.
SystemTimeFields systemTimeFromDateTime(DateTime value);

// The date-time of the local clock's fields with the milliseconds cut; kDateTimeMin when the
// fields form no date (which the platform clock never gives).
DateTime dateTimeFromLocalFields(const SystemTimeFields &fields);
