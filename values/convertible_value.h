// A value of any kind the run time passes around, as handed to a conversion.
#pragma once
#include <cstdint>

#include "values/byte_set.h"
#include "values/date_time.h"

enum class ValueKind : int32_t { text, dateTime, integer, byteSet };

struct ConvertibleValue {
  ValueKind kind;
  union {
    const char *text;
    DateTime dateTime;
    int32_t integer;
    const ByteSetHeader *byteSet;
  };
};

// The conversion to a date-time: a text is read by textToDateTime, a date-time is given back
// unchanged, a value of any other kind gives kDateTimeMin.
DateTime toDateTime(const ConvertibleValue &value);
