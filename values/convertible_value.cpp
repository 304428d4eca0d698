#include "values/convertible_value.h"

#include "values/date_time_text.h"

// Gives the date-time the value stands for; kDateTimeMin for a kind with none.
DateTime toDateTime(const ConvertibleValue &value) {
  switch (value.kind) {
    case ValueKind::text:
      return textToDateTime(value.text);
    case ValueKind::dateTime:
      return value.dateTime;
    case ValueKind::integer:
    case ValueKind::byteSet:
      break;
  }
  return kDateTimeMin;
}
