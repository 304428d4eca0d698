#include <cstdio>

#include "values/date_time_text.h"

namespace {

const char kDateFormat[] = "%d\xC4\xEA%d\xD4\xC2%d\xC8\xD5";           // %d年%d月%d日
const char kSecondFormat[] = "%d\xCA\xB1%d\xB7\xD6%d\xC3\xEB";         // %d时%d分%d秒
const char kMinuteFormat[] = "%d\xCA\xB1%d\xB7\xD6";                   // %d时%d分
const char kHourFormat[] = "%d\xCA\xB1";                               // %d时

// "9999年12月31日23时59分59秒" is 26 bytes; the fields' ranges allow no longer text.
constexpr int kLongestText = 26;

}  // namespace

// Gives the new text of the clamped value; cannot fail.
Text dateTimeToText(DateTime value) {
  CalendarFields f;
  splitDateTime(clampDateTime(value), &f);  // cannot fail after the clamp
  char text[kLongestText + 1];
  const int dateLength = std::snprintf(text, sizeof text, kDateFormat, f.year, f.month, f.day);
  char *time = text + dateLength;
  const size_t room = sizeof text - static_cast<size_t>(dateLength);
  if (f.second != 0)
    std::snprintf(time, room, kSecondFormat, f.hour, f.minute, f.second);
  else if (f.minute != 0)
    std::snprintf(time, room, kMinuteFormat, f.hour, f.minute);
  else if (f.hour != 0)
    std::snprintf(time, room, kHourFormat, f.hour);
  return textFromString(text);
}
