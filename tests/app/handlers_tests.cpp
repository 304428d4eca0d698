// The window's handlers: what each asks of the services and the window, and in which order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/program.h"
#include "tests/app/gbk.h"
#include "tests/fakes/app_fakes.h"
#include "ui/form_ids.h"
#include "values/date_time.h"

namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s) {
  DateTime value = 0;
  EXPECT_TRUE(makeDateTime(y, mo, d, h, mi, s, &value));
  return value;
}

std::string unitName(const char *kind, uint32_t unit) {
  char name[32];
  std::snprintf(name, sizeof name, "%s:%08X", kind, static_cast<unsigned>(unit));
  return name;
}

class HandlersTest : public ::testing::Test {
 protected:
  void SetUp() override { resetAppFakes(); }
  void TearDown() override { onProgramExit(); }
};

TEST_F(HandlersTest, CreatedStartsTheTimerAtOneSecond) {
  onMainWindowCreated();
  ASSERT_EQ(g_fakes.writes.size(), 1u);
  EXPECT_EQ(g_fakes.writes[0].unitId, kClockTimerId);
  EXPECT_EQ(g_fakes.writes[0].property, kPeriodProperty);
  EXPECT_EQ(g_fakes.writes[0].low, 1000u);
}

// The local clock is read after the request, and shown in its own form (no padding, no
// trailing zero parts) while the network read-out keeps the answer's zeros.
TEST_F(HandlersTest, TickRefreshesThenShowsTheLocalClock) {
  g_fakes.answers = {{true, "2017-11-12 08:05:00"}};
  g_fakes.clockNow = at(2017, 11, 12, 8, 5, 0);
  onClockTick();
  const std::vector<std::string> expectedOrder = {
      "http", unitName("write", kNetworkTimeLabelId), "clock.read",
      unitName("write", kLocalTimeLabelId)};
  EXPECT_EQ(g_fakes.order, expectedOrder);
  ASSERT_EQ(g_fakes.writes.size(), 2u);
  EXPECT_EQ(g_fakes.writes[0].text, gbk("2017年11月12日08时05分00秒"));
  EXPECT_EQ(g_fakes.writes[1].text, gbk("2017年11月12日8时5分"));
}

struct ClickCase {
  const char *name;
  std::vector<FakeAnswer> answers;  // the tick's answer (if a tick runs), then the click's
  bool tickFirst;
  bool readable;
  DateTime expected;
};

class ClickTest : public HandlersTest, public ::testing::WithParamInterface<ClickCase> {};

// The clock is set from the label's text as the last refresh left it, then the network
// read-out is refreshed from a new request.
TEST_P(ClickTest, SetsTheClockFromTheLabelThenRefreshes) {
  const ClickCase &c = GetParam();
  g_fakes.answers = c.answers;
  if (c.tickFirst) onClockTick();
  g_fakes.order.clear();
  const size_t requestsBefore = g_fakes.requestCount;

  onCalibrateClicked();

  const std::vector<std::string> expectedOrder = {
      unitName("read", kNetworkTimeLabelId), "clock.set", "http",
      unitName("write", kNetworkTimeLabelId)};
  EXPECT_EQ(g_fakes.order, expectedOrder);
  EXPECT_EQ(g_fakes.requestCount, requestsBefore + 1);
  ASSERT_EQ(g_fakes.clockSettings.size(), 1u);
  EXPECT_EQ(g_fakes.clockSettings[0], c.readable ? c.expected : kDateTimeMin);
}

const ClickCase kClicks[] = {
    {"afterTick", {{true, "2017-11-12 08:05:09"}, {true, "2017-11-12 08:05:10"}}, true, true,
     at(2017, 11, 12, 8, 5, 9)},
    {"beforeAnyTick", {{true, "2017-11-12 08:05:09"}}, false, false, 0},
    {"afterNoAnswer", {{false, ""}, {true, "2017-11-12 08:05:09"}}, true, false, 0},
    {"monthThirteen", {{true, "2017-13-12 08:05:09"}}, true, false, 0},
    {"letters", {{true, "abcd-ef-gh ij:kl:mn"}}, true, false, 0},
    {"februaryTwentyNinth", {{true, "2017-02-29 08:05:09"}}, true, false, 0},
    {"leapDay", {{true, "2016-02-29 23:59:59"}}, true, true, at(2016, 2, 29, 23, 59, 59)},
};

INSTANTIATE_TEST_SUITE_P(Clicks, ClickTest, ::testing::ValuesIn(kClicks),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HandlersTest, TwoClicksSetTheClockTwiceFromWhatEachSaw) {
  g_fakes.answers = {{true, "2017-11-12 08:05:09"}, {true, "2017-11-12 08:05:10"},
                     {true, "2017-11-12 08:05:11"}};
  onClockTick();
  onCalibrateClicked();
  onCalibrateClicked();
  ASSERT_EQ(g_fakes.clockSettings.size(), 2u);
  EXPECT_EQ(g_fakes.clockSettings[0], at(2017, 11, 12, 8, 5, 9));
  EXPECT_EQ(g_fakes.clockSettings[1], at(2017, 11, 12, 8, 5, 10));
  EXPECT_EQ(g_fakes.requestCount, 3u);
}

}  // namespace
