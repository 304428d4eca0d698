// The network time read-out: fetching the endpoint's answer and showing it.
#pragma once
#include "values/text.h"

extern Text g_serverTimeText;       // the last answer as text; null when it gave no bytes
extern Text g_networkTimeCaption;   // the last text written to the network-time label

// Fetches the answer, cuts its six fields and shows them joined with the unit characters.
// Reports nothing: whatever arrived (nothing included) is shown.
void refreshServerTime();
