#include "services/fatal.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

// The box's pieces in code page 936.
const std::string kHead = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";  // 运行时出错!
const std::string kCodeLabel = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";     // 错误代码：
const std::string kTextLabel = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";     // 错误信息：
// 分配 1000 字节内存失败!
const std::string kAllocation1000 =
    "\xB7\xD6\xC5\xE4 1000 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";

std::string build(const char *text, int32_t code, int32_t capacity = 1024) {
  char out[1024];
  const int32_t length = buildFatalMessage(text, code, out, capacity);
  EXPECT_EQ(static_cast<size_t>(length), std::strlen(out));
  return std::string(out, static_cast<size_t>(length));
}

struct MessageCase {
  const char *name;
  const char *text;
  int32_t code;
  std::string expected;
};

TEST(FatalMessage, PiecesByTextAndCode) {
  const MessageCase cases[] = {
      {"text only", kAllocation1000.c_str(), 0, kHead + kTextLabel + kAllocation1000 + "\r\n"},
      {"code only", "", 5, kHead + kCodeLabel + "5\r\n\r\n"},
      {"code only, null text", nullptr, 5, kHead + kCodeLabel + "5\r\n\r\n"},
      {"neither", "", 0, kHead},
      {"neither, null text", nullptr, 0, kHead},
      {"both", "x", -7, kHead + kCodeLabel + "-7\r\n\r\n" + kTextLabel + "x\r\n"},
      {"smallest code", nullptr, INT32_MIN, kHead + kCodeLabel + "-2147483648\r\n\r\n"},
  };
  for (const MessageCase &c : cases) EXPECT_EQ(build(c.text, c.code), c.expected) << c.name;
}

TEST(FatalMessage, CutToCapacityAndTerminated) {
  EXPECT_EQ(build(nullptr, 0, 5), kHead.substr(0, 4));
  EXPECT_EQ(build(nullptr, 0, 1), "");
  const std::string longText(3000, 'a');
  const std::string cut = build(longText.c_str(), 0, 1024);
  EXPECT_EQ(cut.size(), 1023u);
  EXPECT_EQ(cut, (kHead + kTextLabel + longText).substr(0, 1023));
}

TEST(FatalMessage, NoRoomGivesNothing) {
  char out[4] = {'z', 'z', 'z', 'z'};
  EXPECT_EQ(buildFatalMessage("x", 0, out, 0), 0);
  EXPECT_EQ(out[0], 'z');
  EXPECT_EQ(buildFatalMessage("x", 0, nullptr, 10), 0);
}

}  // namespace
