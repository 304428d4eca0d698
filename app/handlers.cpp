#include "app/handlers.h"

#include "app/server_time.h"
#include "services/clock.h"
#include "ui/form_ids.h"
#include "ui/window.h"
#include "values/block.h"
#include "values/constants.h"
#include "values/date_time_text.h"

namespace {

constexpr uint32_t kClockPeriodMs = 1000;

}  // namespace

void onMainWindowCreated() {
  writeProperty(kMainWindowId, kClockTimerId, kPeriodProperty, kWholeValue, kClockPeriodMs, 0);
}

// The local clock is read only after the request has returned, so both read-outs show the
// moment the request finished.
void onClockTick() {
  refreshServerTime();
  Text localText = dateTimeToText(readLocalClock());
  writeProperty(kMainWindowId, kLocalTimeLabelId, kCaptionProperty, kWholeValue,
                reinterpret_cast<uintptr_t>(localText), 0);
  releaseBlock(localText);
}

// The clock is set from what the user sees, the label's caption; an unreadable caption gives
// kDateTimeMin, which the clock refuses, so nothing changes.
void onCalibrateClicked() {
  PropertyValue caption =
      readProperty(kMainWindowId, kNetworkTimeLabelId, kCaptionProperty, kWholeValue);
  const char *captionText = reinterpret_cast<const char *>(caption.low);
  DateTime networkTime = textToDateTime(captionText != nullptr ? captionText : emptyText);
  releaseBlock(captionText);
  setLocalClock(networkTime);  // a refusal is not reported to the user
  refreshServerTime();
}
