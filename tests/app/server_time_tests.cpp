// The network read-out for what the endpoint answers, and the two globals' blocks.
#include <gtest/gtest.h>

#include <string>

#include "app/program.h"
#include "app/server_time.h"
#include "tests/app/gbk.h"
#include "tests/app/heap_counter.h"
#include "tests/fakes/app_fakes.h"
#include "ui/form_ids.h"

namespace {

struct AnswerCase {
  const char *name;
  FakeAnswer answer;
  std::string display;  // UTF-8 here, compared in code page 936
};

class ServerTimeTest : public ::testing::TestWithParam<AnswerCase> {
 protected:
  void SetUp() override { resetAppFakes(); }
  void TearDown() override { onProgramExit(); }
};

TEST_P(ServerTimeTest, ShowsTheFieldsJoinedWithUnits) {
  const AnswerCase &c = GetParam();
  g_fakes.answers = {c.answer};
  refreshServerTime();

  const std::string expected = gbk(c.display);
  ASSERT_EQ(g_fakes.writes.size(), 1u);
  EXPECT_EQ(g_fakes.writes[0].unitId, kNetworkTimeLabelId);
  EXPECT_EQ(g_fakes.writes[0].property, kCaptionProperty);
  EXPECT_EQ(g_fakes.writes[0].text, expected);
  ASSERT_NE(g_networkTimeCaption, nullptr);
  EXPECT_EQ(std::string(g_networkTimeCaption), expected);
  EXPECT_EQ(g_fakes.writes[0].low, reinterpret_cast<uintptr_t>(g_networkTimeCaption));
}

const AnswerCase kAnswers[] = {
    {"complete", {true, "2017-11-12 08:05:09"}, "2017年11月12日08时05分09秒"},
    {"longer", {true, "2017-11-12 08:05:09.123456\r\n"}, "2017年11月12日08时05分09秒"},
    {"anySeparators", {true, "2017x11 12T08_05Z09"}, "2017年11月12日08时05分09秒"},
    {"letters", {true, "<html><head><title>"}, "<htm年><月ea日><时it分e>秒"},
    {"fourBytes", {true, "2017"}, "2017年月日时分秒"},
    {"sixBytes", {true, "2017-1"}, "2017年1月日时分秒"},
    {"fifteenBytes", {true, "2017-11-12 08:0"}, "2017年11月12日08时0分秒"},
    {"nulInside", {true, std::string("2017-11\0-12 08:05:09", 19)}, "2017年11月日时分秒"},
    {"nulFirst", {true, std::string("\0" "017-11-12 08:05:09", 19)}, "年月日时分秒"},
    {"nothing", {false, ""}, "年月日时分秒"},
};

INSTANTIATE_TEST_SUITE_P(Answers, ServerTimeTest, ::testing::ValuesIn(kAnswers),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ServerTime, NoAnswerLeavesNoServerText) {
  resetAppFakes();
  refreshServerTime();
  EXPECT_EQ(g_serverTimeText, nullptr);
  ASSERT_NE(g_networkTimeCaption, nullptr);
  EXPECT_EQ(std::string(g_networkTimeCaption).size(), 12u);
  onProgramExit();
}

TEST(ServerTime, AsksTheEndpointOnce) {
  resetAppFakes();
  refreshServerTime();
  ASSERT_EQ(g_fakes.requestedUrls.size(), 1u);
  EXPECT_EQ(g_fakes.requestedUrls[0], TIMECAL_TEST_ENDPOINT_URL);
  onProgramExit();
}

TEST(ServerTime, EachCallReplacesTheBlocksOfTheLast) {
  resetAppFakes();
  g_fakes.answers = {{true, "2017-11-12 08:05:09"}, {true, "2018-01-02 03:04:05"}};
  HeapCounter counter;
  refreshServerTime();
  EXPECT_EQ(counter.live(), 2);  // g_serverTimeText and g_networkTimeCaption
  const std::string firstAnswer = g_serverTimeText;
  refreshServerTime();
  EXPECT_EQ(counter.live(), 2);
  EXPECT_NE(std::string(g_serverTimeText), firstAnswer);
  EXPECT_EQ(std::string(g_networkTimeCaption), gbk("2018年01月02日03时04分05秒"));
  onProgramExit();
  EXPECT_EQ(counter.live(), 0);
  EXPECT_EQ(g_serverTimeText, nullptr);
  EXPECT_EQ(g_networkTimeCaption, nullptr);
}

}  // namespace
