// libFuzzer target for textToDateTime: any bytes, read from an exact NUL-terminated heap copy
// so that a read past the terminator is an address-sanitizer finding.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "values/block.h"
#include "values/date_time_text.h"

namespace {

// The result must be the failure value, or a date-time whose fields are in range, that
// makeDateTime gives back exactly and whose text reads back to it.
void checkResult(DateTime value) {
  if (value == kDateTimeMin) return;
  // Only moments after 00:00:00 of the two bound days lie outside the splittable range.
  if (value > kDateTimeMax) {
    if (!(value < kDateTimeMax + 1)) std::abort();
    return;
  }
  if (value < kDateTimeMin) {
    if (!(value > kDateTimeMin - 1)) std::abort();
    return;
  }
  CalendarFields f;
  if (!splitDateTime(value, &f)) std::abort();
  if (f.year < 100 || f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1 || f.day > 31 ||
      f.hour < 0 || f.hour > 23 || f.minute < 0 || f.minute > 59 || f.second < 0 ||
      f.second > 59 || f.dayOfWeek < 1 || f.dayOfWeek > 7)
    std::abort();
  DateTime again;
  if (!makeDateTime(f.year, f.month, f.day, f.hour, f.minute, f.second, &again) || again != value)
    std::abort();
  Text text = dateTimeToText(value);
  if (textToDateTime(text) != value) std::abort();
  releaseBlock(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  char *text = static_cast<char *>(std::malloc(size + 1));
  if (text == nullptr) return 0;
  std::memcpy(text, data, size);
  text[size] = '\0';
  checkResult(textToDateTime(text));
  std::free(text);
  return 0;
}
