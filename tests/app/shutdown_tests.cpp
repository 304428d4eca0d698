// The end of a normal run: the exit callback runs once, however often the run time ends.
#include <gtest/gtest.h>

#include "app/program.h"
#include "app/server_time.h"
#include "tests/app/heap_counter.h"
#include "tests/fakes/app_fakes.h"
#include "ui/runtime.h"

extern int g_platformReleaseCount;

namespace {

int g_exitCalls = 0;
void countingExit() {
  ++g_exitCalls;
  onProgramExit();
}

TEST(Shutdown, RunsTheExitCallbackOnceAndReleasesTheGlobals) {
  resetAppFakes();
  g_fakes.answers = {{true, "2017-11-12 08:05:09"}};
  HeapCounter counter;
  refreshServerTime();
  ASSERT_EQ(counter.live(), 2);

  g_exitCalls = 0;
  registerExitCallback(countingExit);
  registerExitCallback(countingExit);  // already there: no second entry
  EXPECT_EQ(g_runtime.exitCallbackCount, 1);

  const int suppressedBefore = g_runtime.eventsSuppressed;
  shutdownRuntime(0);
  EXPECT_EQ(g_exitCalls, 1);
  EXPECT_EQ(counter.live(), 0);
  EXPECT_GT(g_runtime.eventsSuppressed, suppressedBefore);  // no handler runs from here on

  shutdownRuntime(0);  // the second end, as the process's static objects go
  EXPECT_EQ(g_exitCalls, 1);
  EXPECT_EQ(g_platformReleaseCount, 2);  // releasing the platform side twice is harmless
}

}  // namespace
