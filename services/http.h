// One HTTP GET through WinInet.
#pragma once
#include <cstdint>

#include "values/byte_set.h"

// The body that arrived, as a new byte set; null when no byte of body arrived.
ByteSet httpReadUrl(const char *url);

// What the reader has done since the process started, and how its last call read; kept for
// tests and diagnostics, never for decisions.
struct HttpReaderCounters {
  int32_t sessionOpens;  // sessions opened with InternetOpenA
  int32_t connectionsOpened;
  int32_t connectionsClosed;
  int32_t requestsOpened;
  int32_t requestsClosed;
  int32_t lastChunkSize;    // 0 when the last call did not get as far as reading
  int32_t lastReads;        // reads of the last call that gave bytes
  int32_t lastLargestRead;  // the most bytes one of those reads gave
  bool lastEndReached;      // the last call's reads ended with a count of 0
};

extern HttpReaderCounters g_httpReaderCounters;
