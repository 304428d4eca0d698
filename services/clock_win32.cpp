// The local clock through Kernel32.
#include <windows.h>

#include <cstddef>

#include "services/clock.h"
#include "services/system_time.h"

static_assert(sizeof(SYSTEMTIME) == sizeof(SystemTimeFields), "same eight fields");
static_assert(offsetof(SYSTEMTIME, wDayOfWeek) == offsetof(SystemTimeFields, wDayOfWeek));
static_assert(offsetof(SYSTEMTIME, wMilliseconds) == offsetof(SystemTimeFields, wMilliseconds));

// Gives the local date and time with the milliseconds cut. GetLocalTime cannot fail.
DateTime readLocalClock() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const SystemTimeFields fields = {now.wYear,   now.wMonth,  now.wDayOfWeek, now.wDay,
                                   now.wHour,   now.wMinute, now.wSecond,    now.wMilliseconds};
  return dateTimeFromLocalFields(fields);
}

// Gives true when SetLocalTime took the value (clamped, rounded to the second); false when
// it was refused. One call, no privilege asked for, no retry.
bool setLocalClock(DateTime value) {
  const SystemTimeFields fields = systemTimeFromDateTime(value);
  SYSTEMTIME wanted;
  wanted.wYear = fields.wYear;
  wanted.wMonth = fields.wMonth;
  wanted.wDayOfWeek = fields.wDayOfWeek;
  wanted.wDay = fields.wDay;
  wanted.wHour = fields.wHour;
  wanted.wMinute = fields.wMinute;
  wanted.wSecond = fields.wSecond;
  wanted.wMilliseconds = fields.wMilliseconds;
  return SetLocalTime(&wanted) != 0;
}
