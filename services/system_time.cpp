#include "services/system_time.h"

// Gives the fields of the clamped value; the clamp makes the split certain.
SystemTimeFields systemTimeFromDateTime(DateTime value) {
  CalendarFields f;
  splitDateTime(clampDateTime(value), &f);  // cannot fail after the clamp
  SystemTimeFields fields;
  fields.wYear = static_cast<uint16_t>(f.year);
  fields.wMonth = static_cast<uint16_t>(f.month);
  fields.wDayOfWeek = static_cast<uint16_t>(f.dayOfWeek - 1);
  fields.wDay = static_cast<uint16_t>(f.day);
  fields.wHour = static_cast<uint16_t>(f.hour);
  fields.wMinute = static_cast<uint16_t>(f.minute);
  fields.wSecond = static_cast<uint16_t>(f.second);
  fields.wMilliseconds = 0;
  return fields;
}

// Gives the date-time of the fields to the whole second; kDateTimeMin when they form no date.
// The fields are taken as they are rather than through a 32-bit count of seconds since 1970,
// so the reading stays right before 1970 and after 2038-01-19 03:14:07 UTC.
DateTime dateTimeFromLocalFields(const SystemTimeFields &fields) {
  DateTime value;
  if (!makeDateTime(fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute,
                    fields.wSecond, &value))
    return kDateTimeMin;
  return value;
}
