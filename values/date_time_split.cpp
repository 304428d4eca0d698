#include <cmath>

#include "values/date_time.h"

namespace {

// Half a second in days, the double 5.787037037037037e-06 nearest 1/172800: added to (or,
// at zero and below, taken from) the value so that truncation rounds to the nearest second.
constexpr double kHalfSecond = 1.0 / 172800.0;

// Day numbers below are counted from 0000-03-01 of the proleptic Gregorian calendar, where
// 1899-12-30 is day 693899 (719468 days lie between 0000-03-01 and 1970-01-01, and 25569
// between 1899-12-30 and 1970-01-01). Starting the year on 1 March puts the leap day last,
// so every month but February has a fixed place in the year. For the dates that can be split
// (from 0100-01-01) the count is positive, so the divisions truncate as floor would.
constexpr int32_t kMarchZeroOffset = 693899;
constexpr int32_t kDaysPer400Years = 146097;  // 400 * 365 + 97 leap days
constexpr int32_t kDaysPer100Years = 36524;   // 100 * 365 + 24 leap days
constexpr int32_t kDaysPer4Years = 1460;      // 4 * 365, the leap day not counted

// The Gregorian date of a day number counted from 1899-12-30.
void setDate(int32_t dayNumber, CalendarFields *out) {
  const int32_t z = dayNumber + kMarchZeroOffset;
  const int32_t era = z / kDaysPer400Years;
  const int32_t dayOfEra = z - era * kDaysPer400Years;  // 0 .. 146096
  // The year within the era: each term takes off the leap days that precede the day, which
  // leaves 365 days to every year (the last day of the era, 146096, counts with year 399).
  const int32_t yearOfEra = (dayOfEra - dayOfEra / kDaysPer4Years + dayOfEra / kDaysPer100Years -
                             dayOfEra / (kDaysPer400Years - 1)) / 365;
  const int32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  // March to January runs in five-month groups of 153 days (31 30 31 30 31); the month
  // counted from March is (5 * dayOfYear + 2) / 153, and (153 * m + 2) / 5 the days before it.
  const int32_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  out->day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  out->month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  out->year = era * 400 + yearOfEra + (out->month <= 2 ? 1 : 0);
  // Day 0, 1899-12-30, was a Saturday (7); adding 6 keeps the remainder non-negative for the
  // days before it as well, once 7 is added.
  out->dayOfWeek = ((dayNumber % 7) + 7 + 6) % 7 + 1;
}

}  // namespace

// Gives true and the fields of the value rounded to the nearest second; false for NaN or a
// value outside kDateTimeMin..kDateTimeMax.
//
// A negative value within half a second before the next midnight (-1.999999999 is
// 1899-12-29 23:59:59.9999) is rounded away from zero across the whole number, which alone
// would land on 00:00:00 of the day before (1899-12-28). Such a value is split as the next
// midnight instead (1899-12-30 00:00:00), as a positive value within half a second of
// midnight is. Whole-second values, the only ones the system makes, never reach that case.
bool splitDateTime(DateTime value, CalendarFields *out) {
  if (!(value >= kDateTimeMin && value <= kDateTimeMax)) return false;
  const double rounded = value > 0 ? value + kHalfSecond : value - kHalfSecond;
  int32_t dayNumber = static_cast<int32_t>(rounded);
  const double amount = std::fabs(rounded);
  int32_t secondOfDay = static_cast<int32_t>((amount - std::floor(amount)) * 86400.0);
  const int32_t unroundedDay = static_cast<int32_t>(value);
  if (value < 0 && dayNumber != unroundedDay) {
    dayNumber = unroundedDay + 1;
    secondOfDay = 0;
  }
  setDate(dayNumber, out);
  out->hour = secondOfDay / 3600;
  out->minute = secondOfDay / 60 % 60;
  out->second = secondOfDay % 60;
  return true;
}
