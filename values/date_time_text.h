// The text forms of date-times.
#pragma once
#include "values/date_time.h"
#include "values/text.h"

Text dateTimeToText(DateTime value);
DateTime textToDateTime(const char *text);
