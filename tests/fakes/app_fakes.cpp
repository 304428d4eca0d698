// The fakes keep what the logic did, so tests can check the order and the values.
#include "tests/fakes/app_fakes.h"

#include <cstdio>
#include <cstring>

#include "services/clock.h"
#include "services/http.h"
#include "ui/form_ids.h"
#include "ui/window.h"
#include "values/byte_set.h"
#include "values/text.h"

AppFakes g_fakes;

void resetAppFakes() { g_fakes = AppFakes(); }

ByteSet httpReadUrl(const char *url) {
  g_fakes.order.push_back("http");
  g_fakes.requestedUrls.push_back(url != nullptr ? url : "");
  const size_t index = g_fakes.requestCount++;
  if (index >= g_fakes.answers.size() || !g_fakes.answers[index].arrives) return nullptr;
  const std::string &bytes = g_fakes.answers[index].bytes;
  return byteSetFromBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
}

DateTime readLocalClock() {
  g_fakes.order.push_back("clock.read");
  return g_fakes.clockNow;
}

bool setLocalClock(DateTime value) {
  g_fakes.order.push_back("clock.set");
  g_fakes.clockSettings.push_back(value);
  return false;
}

void writeProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t member,
                   uintptr_t low, uint32_t high) {
  char name[32];
  std::snprintf(name, sizeof name, "write:%08X", static_cast<unsigned>(unitId));
  g_fakes.order.push_back(name);
  PropertyWrite write{windowId, unitId, property, "", low};
  if (unitId != kClockTimerId && low != 0) write.text = reinterpret_cast<const char *>(low);
  if (unitId == kNetworkTimeLabelId) {
    g_fakes.networkLabel = write.text;
    g_fakes.networkLabelEmpty = write.text.empty();
  }
  g_fakes.writes.push_back(write);
}

PropertyValue readProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t member) {
  char name[32];
  std::snprintf(name, sizeof name, "read:%08X", static_cast<unsigned>(unitId));
  g_fakes.order.push_back(name);
  PropertyValue value = {0, 0};
  if (unitId == kNetworkTimeLabelId && !g_fakes.networkLabelEmpty)
    value.low = reinterpret_cast<uintptr_t>(textFromString(g_fakes.networkLabel.c_str()));
  return value;
}
