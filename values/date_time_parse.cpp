#include "values/block.h"
#include "values/date_time_text.h"
#include "values/full_width.h"

namespace {

struct FieldRule {
  int32_t maxDigits;
  const char *unit;        // the unit character consumed after the field, null for none
  bool spaceSeparates;     // a space is also consumed after it (only after the day)
};

// year, month, day, hour, minute, second; the year's four digits let "20171112090503" be read.
const FieldRule kFields[6] = {
    {4, "\xC4\xEA", false},  // 年
    {2, "\xD4\xC2", false},  // 月
    {2, "\xC8\xD5", true},   // 日
    {2, "\xCA\xB1", false},  // 时
    {2, "\xB7\xD6", false},  // 分
    {2, nullptr, false},
};

const char kSecondUnit[] = "\xC3\xEB";  // 秒

// True when p starts with the two bytes of unit. The first byte is compared before the
// second is read, so a text ending after a lone byte is never read past its terminator.
bool startsWithUnit(const char *p, const char *unit) {
  return p[0] == unit[0] && p[1] == unit[1];
}

// True for the separators of the numeric forms, allowed after any of the first five fields.
bool isNumericSeparator(char c) { return c == '-' || c == '.' || c == '/' || c == ':'; }

// Reads up to maxDigits ASCII digits at *p into *value (0 when there are none).
void readField(const char **p, int32_t maxDigits, int32_t *value) {
  int32_t v = 0;
  for (int32_t i = 0; i < maxDigits && **p >= '0' && **p <= '9'; ++i, ++*p) v = v * 10 + (**p - '0');
  *value = v;
}

// Steps over one separator allowed after the field, if one is there.
void skipSeparator(const char **p, const FieldRule &rule) {
  if (isNumericSeparator(**p) || (rule.spaceSeparates && **p == ' ')) {
    ++*p;
  } else if (startsWithUnit(*p, rule.unit)) {
    *p += 2;
  }
}

// True with the date-time of the folded text; false when it cannot be read.
bool readDateTime(const char *p, DateTime *out) {
  int32_t fields[6];
  for (int32_t i = 0; i < 6; ++i) {
    readField(&p, kFields[i].maxDigits, &fields[i]);
    if (kFields[i].unit != nullptr) skipSeparator(&p, kFields[i]);
  }
  if (*p != '\0' && !startsWithUnit(p, kSecondUnit)) return false;
  // makeDateTime checks month, day (with the leap rule), hour, minute and second; the text
  // form also needs a year of at least 100.
  if (fields[0] < 100) return false;
  return makeDateTime(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], out);
}

}  // namespace

// Gives the date-time of the text; kDateTimeMin when it is empty or cannot be read. The
// text is folded into a working copy, the one allocation, released before returning.
DateTime textToDateTime(const char *text) {
  if (text == nullptr || text[0] == '\0') return kDateTimeMin;
  char *folded = static_cast<char *>(allocateWideBlock(int64_t{textLength(text)} + 1));
  foldFullWidth(text, folded);
  DateTime result;
  if (!readDateTime(folded, &result)) result = kDateTimeMin;
  releaseBlock(folded);
  return result;
}
