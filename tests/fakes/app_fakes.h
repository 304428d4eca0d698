// Native stand-ins for the services and the window that the program's logic calls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "values/date_time.h"

struct FakeAnswer {
  bool arrives;       // false: the reader gives null
  std::string bytes;  // the body, NUL bytes allowed
};

struct PropertyWrite {
  uint32_t windowId, unitId;
  int32_t property;
  std::string text;  // the caption's bytes, for text properties
  uintptr_t low;
};

struct AppFakes {
  std::vector<FakeAnswer> answers;  // one per request, in order; later requests get nothing
  size_t requestCount = 0;
  std::vector<std::string> requestedUrls;
  std::vector<PropertyWrite> writes;
  std::string networkLabel;  // what the network-time label holds now
  bool networkLabelEmpty = true;
  DateTime clockNow = 0;
  std::vector<DateTime> clockSettings;
  std::vector<std::string> order;  // "http", "clock.read", "clock.set", "write:<unit>", "read:<unit>"
};

extern AppFakes g_fakes;

void resetAppFakes();
