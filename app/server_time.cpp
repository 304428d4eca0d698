#include "app/server_time.h"

#include "services/http.h"
#include "ui/form_ids.h"
#include "ui/window.h"
#include "values/block.h"
#include "values/byte_set.h"
#include "values/constants.h"

Text g_serverTimeText = nullptr;
Text g_networkTimeCaption = nullptr;

namespace {

// The answer reads YYYY-MM-DD HH:MM:SS; positions count from 1, separators are never examined.
constexpr int32_t kYearLength = 4;
constexpr int32_t kMonthStart = 6, kDayStart = 9, kHourStart = 12, kMinuteStart = 15,
                  kSecondStart = 18, kFieldLength = 2;

const char *orEmpty(const char *t) { return t != nullptr ? t : emptyText; }

}  // namespace

// Every value is built before the one it replaces is released, so the label and the globals
// never see a freed block.
void refreshServerTime() {
  ByteSet body = httpReadUrl(serverTimeUrl);
  Text answer = bytesToText(body != nullptr ? body : emptyByteSet);
  releaseBlock(body);
  releaseBlock(g_serverTimeText);
  g_serverTimeText = answer;

  const char *source = orEmpty(g_serverTimeText);
  Text yearText = textLeft(source, kYearLength);
  Text monthText = textMiddle(source, kMonthStart, kFieldLength);
  Text dayText = textMiddle(source, kDayStart, kFieldLength);
  Text hourText = textMiddle(source, kHourStart, kFieldLength);
  Text minuteText = textMiddle(source, kMinuteStart, kFieldLength);
  Text secondText = textMiddle(source, kSecondStart, kFieldLength);

  Text displayText = joinTexts(12, orEmpty(yearText), kUnitYear, orEmpty(monthText), kUnitMonth,
                               orEmpty(dayText), kUnitDay, orEmpty(hourText), kUnitHour,
                               orEmpty(minuteText), kUnitMinute, orEmpty(secondText), kUnitSecond);

  Text caption = copyText(displayText);
  releaseBlock(g_networkTimeCaption);
  g_networkTimeCaption = caption;
  writeProperty(kMainWindowId, kNetworkTimeLabelId, kCaptionProperty, kWholeValue,
                reinterpret_cast<uintptr_t>(g_networkTimeCaption), 0);

  releaseBlock(yearText);
  releaseBlock(monthText);
  releaseBlock(dayText);
  releaseBlock(hourText);
  releaseBlock(minuteText);
  releaseBlock(secondText);
  releaseBlock(displayText);
}
