// Time per call and heap allocations per call of the date-time conversions.
// Built without sanitizers by scripts/bench-datetime.
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "values/block.h"
#include "values/date_time_text.h"
#include "values/heap.h"

namespace {

int64_t g_allocations = 0;
HeapCalls g_plainHeap;

void *countingAllocate(size_t size) {
  ++g_allocations;
  return g_plainHeap.allocate(size);
}

constexpr int32_t kCalls = 1000000;
constexpr int kRounds = 5;

// Values spread over the range, whole seconds, a few with trailing zero parts.
DateTime g_values[1024];
Text g_texts[1024];
volatile double g_sink;

// Runs body kCalls times per round; prints the best round's time per call and the
// allocations per call.
template <typename Body>
void measure(const char *name, Body body) {
  double best = 1e30;
  int64_t allocations = 0;
  for (int round = 0; round < kRounds; ++round) {
    const int64_t before = g_allocations;
    const auto start = std::chrono::steady_clock::now();
    for (int32_t i = 0; i < kCalls; ++i) body(i & 1023);
    const auto end = std::chrono::steady_clock::now();
    const double ns = std::chrono::duration<double, std::nano>(end - start).count() / kCalls;
    if (ns < best) best = ns;
    allocations = g_allocations - before;
  }
  std::printf("%-36s %8.1f ns/call %6.2f allocations/call\n", name, best,
              static_cast<double>(allocations) / kCalls);
}

}  // namespace

int main() {
  g_plainHeap = g_heapCalls;
  g_heapCalls.allocate = countingAllocate;

  uint64_t state = 20171112;
  for (int i = 0; i < 1024; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    // 3615899 days from 0100-01-01 to 9999-12-30; every eighth value at midnight.
    const int64_t seconds = static_cast<int64_t>((state >> 11) % (3615899LL * 86400));
    const int32_t second = i % 8 == 0 ? 0 : static_cast<int32_t>(seconds % 86400);
    CalendarFields f;
    splitDateTime(kDateTimeMin + static_cast<double>(seconds / 86400), &f);
    makeDateTime(f.year, f.month, f.day, second / 3600, second / 60 % 60, second % 60, &g_values[i]);
    g_texts[i] = dateTimeToText(g_values[i]);
  }
  const char *numeric = "2017-11-12 09:05:03";
  const char *fullWidth =
      "\xA3\xB2\xA3\xB0\xA3\xB1\xA3\xB7\xA3\xAD\xA3\xB1\xA3\xB1\xA3\xAD\xA3\xB1\xA3\xB2"
      "\xA1\xA1\xA3\xB0\xA3\xB9\xA3\xBA\xA3\xB0\xA3\xB5\xA3\xBA\xA3\xB0\xA3\xB3";

  measure("dateTimeToText (+ releaseBlock)", [](int i) {
    Text t = dateTimeToText(g_values[i]);
    g_sink = t[0];
    releaseBlock(t);
  });
  measure("textToDateTime, unit form", [](int i) { g_sink = textToDateTime(g_texts[i]); });
  measure("textToDateTime, 2017-11-12 09:05:03", [numeric](int) { g_sink = textToDateTime(numeric); });
  measure("textToDateTime, full-width form", [fullWidth](int) { g_sink = textToDateTime(fullWidth); });
  measure("splitDateTime", [](int i) {
    CalendarFields f;
    splitDateTime(g_values[i], &f);
    g_sink = f.second + f.day;
  });
  measure("makeDateTime", [](int i) {
    DateTime v;
    makeDateTime(2017, i % 12 + 1, i % 28 + 1, i % 24, i % 60, i % 60, &v);
    g_sink = v;
  });
  for (Text t : g_texts) releaseBlock(t);
  return 0;
}
