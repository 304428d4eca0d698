#include "values/date_time.h"

// 0100-01-01 is 657434 days before 1899-12-30 (bit pattern 0xC124103400000000), and
// 9999-12-31 is 2958465 days after it (0x4146924080000000). Both are whole numbers, exactly
// representable, so these literals give exactly those bit patterns.
const DateTime kDateTimeMin = -657434.0;
const DateTime kDateTimeMax = 2958465.0;

namespace {

// Days in a common year before each month, with a closing entry after December: the length
// of month m is kDaysBefore[m] - kDaysBefore[m - 1].
const int32_t kDaysBefore[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// The formula below gives 1899-12-30 the number 1899 * 365 + 474 - 18 + 4 (the leap days
// up to 1899) + 334 (January to November) + 30 = 693959; taking it off makes that date day 0.
constexpr int64_t kEpochDayNumber = 693959;

// The double nearest to 1/86400: multiplying the second of the day by it gives the fraction.
constexpr double kDaysPerSecond = 1.0 / 86400.0;

// True for a Gregorian leap year.
bool isLeapYear(int32_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

}  // namespace

// Gives true and the date-time; false when a field lies outside the calendar. Years before 1
// are refused: the integer divisions of the day formula count only positive years.
bool makeDateTime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                  int32_t second, DateTime *out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  const bool leap = isLeapYear(year);
  const int32_t monthLength =
      kDaysBefore[month] - kDaysBefore[month - 1] + (leap && month == 2 ? 1 : 0);
  if (day < 1 || day > monthLength) return false;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return false;

  // 365 days a year plus one leap day for every fourth year, none for every hundredth, one
  // again for every four hundredth; those counts include the year itself, so a leap year's
  // own leap day is taken off again while it is still in January or February.
  int64_t n = int64_t{year} * 365 + year / 4 - year / 100 + year / 400 +
              kDaysBefore[month - 1] + day;
  if (leap && month <= 2) n -= 1;
  n -= kEpochDayNumber;

  const double t = (hour * 3600 + minute * 60 + second) * kDaysPerSecond;
  // Before day 0 the time of day counts away from zero.
  *out = n >= 0 ? static_cast<double>(n) + t : static_cast<double>(n) - t;
  return true;
}

// Gives the value within the bounds; NaN fails every comparison and lands on the maximum.
DateTime clampDateTime(DateTime value) {
  if (value >= kDateTimeMin && value <= kDateTimeMax) return value;
  return value < kDateTimeMin ? kDateTimeMin : kDateTimeMax;
}
