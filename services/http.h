// One HTTP GET through WinInet.
#pragma once
#include "values/byte_set.h"

// The body that arrived, as a new byte set; null when no byte of body arrived.
ByteSet httpReadUrl(const char *url);
