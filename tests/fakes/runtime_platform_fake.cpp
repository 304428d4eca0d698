// Native stand-in for the platform side of the run time: there is no hidden owner window and no
// OLE natively, so releasing them is nothing; the count lets tests see that shutdown asked.
#include "ui/runtime_platform.h"

int g_platformReleaseCount = 0;

// Counts the call.
void releasePlatformRuntime() { ++g_platformReleaseCount; }
