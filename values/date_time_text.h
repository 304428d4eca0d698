// The text forms of date-times: "2017年11月12日9时5分3秒" (unit characters, no padding,
// trailing zero parts of the time left out) and the numeric forms read back.
#pragma once
#include "values/date_time.h"
#include "values/text.h"

// A new text of the value clamped into the splittable range, never empty.
Text dateTimeToText(DateTime value);
// The date-time the text spells (unit characters or "-" "." "/" ":" between the fields,
// full-width forms allowed); kDateTimeMin for null, empty or unreadable text.
DateTime textToDateTime(const char *text);
