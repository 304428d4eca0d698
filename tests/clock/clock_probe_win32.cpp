// Exercises the real local clock under Wine for check-clock, which compares what it prints
// with the host's clock and with Wine's log.
//   clock_probe tick       prints the reading each time it changes, three times
//   clock_probe set-ahead  tries to set the clock one hour ahead and prints the result
//   clock_probe set-min    tries to set the clock to kDateTimeMin and prints the result
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "services/clock.h"

namespace {

void printReading(DateTime value) {
  CalendarFields f;
  if (!splitDateTime(value, &f)) {
    std::printf("unsplittable %.10f\n", value);
  } else {
    std::printf("reading %04d-%02d-%02d %02d:%02d:%02d\n", f.year, f.month, f.day, f.hour,
                f.minute, f.second);
  }
  std::fflush(stdout);
}

// The moment the reading changes is the moment the clock crosses a whole second.
int printTicks() {
  DateTime last = readLocalClock();
  for (int ticks = 0; ticks < 3;) {
    Sleep(1);
    const DateTime now = readLocalClock();
    if (now != last) {
      printReading(now);
      last = now;
      ++ticks;
    }
  }
  return 0;
}

int printSetResult(DateTime value) {
  const bool set = setLocalClock(value);
  std::printf("%s %lu\n", set ? "accepted" : "refused", set ? 0ul : GetLastError());
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc == 2 && std::strcmp(argv[1], "tick") == 0) return printTicks();
  if (argc == 2 && std::strcmp(argv[1], "set-ahead") == 0)
    return printSetResult(readLocalClock() + 1.0 / 24);
  if (argc == 2 && std::strcmp(argv[1], "set-min") == 0) return printSetResult(kDateTimeMin);
  std::fprintf(stderr, "usage: clock_probe tick|set-ahead|set-min\n");
  return 2;
}
