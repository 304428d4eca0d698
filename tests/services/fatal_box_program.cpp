// Meets a refused allocation as the program would: the heap refuses, the error box appears,
// and once it is closed the process ends with -1. It says on stdout what ran, for the driver.
//   fatal_box_program SIZE [again]
// With "again", the first tick inside the box's loop meets a second refusal.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/runtime.h"
#include "values/block.h"
#include "values/heap.h"

namespace {

void say(const char *line) {
  std::fputs(line, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// The heap of a machine out of memory.
void *refuse(size_t) { return nullptr; }

void onExit() { say("exit callback ran"); }

// Shows whether static destructors, such as the one that closes the WinInet session, run when
// the process ends after a fatal error.
struct MarkOnDestruction {
  ~MarkOnDestruction() { say("static destructor ran"); }
} g_mark;

bool g_failAgain = false;

// Ticks reach this routine only from a running message loop: here, the box's own.
void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
  std::printf("tick eventsSuppressed=%d\n", static_cast<int>(g_runtime.eventsSuppressed));
  std::fflush(stdout);
  if (g_failAgain) allocateBlock(7);
}

}  // namespace

int main(int argc, char **argv) {
  const long size = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000;
  g_failAgain = argc > 2 && std::strcmp(argv[2], "again") == 0;
  registerExitCallback(onExit);
  if (SetTimer(nullptr, 0, 100, onTick) == 0) say("no timer");
  g_heapCalls.allocate = refuse;
  std::printf("allocating %ld\n", size);
  std::fflush(stdout);
  allocateBlock(static_cast<int32_t>(size));
  say("allocation returned");
  return 0;
}
