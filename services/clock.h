// The machine's local clock.
#pragma once
#include "values/date_time.h"

// The local date and time to the whole second (milliseconds cut).
DateTime readLocalClock();
// Sets the local clock to value (clamped, rounded to the second); false when refused.
bool setLocalClock(DateTime value);
