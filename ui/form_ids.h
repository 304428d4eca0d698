// The ids of MainWindow and its controls in the form description.
#pragma once
#include <cstdint>

constexpr uint32_t kMainWindowId = 0x52010001;
constexpr uint32_t kMainWindowRecordId = 0x06010000;
constexpr uint32_t kLocalTimeLabelId = 0x16010002;      // 标签1
constexpr uint32_t kNetworkTimeLabelId = 0x16010005;    // 标签2
constexpr uint32_t kClockTimerId = 0x1601000B;          // 时钟1
constexpr uint32_t kCalibrateButtonId = 0x1601000D;     // 按钮1
constexpr uint32_t kNetworkCaptionLabelId = 0x16011CF9; // 标签3
constexpr uint32_t kLocalCaptionLabelId = 0x16011CFA;   // 标签4
constexpr uint32_t kCreditLabelId = 0x16011CFB;         // 标签5

constexpr int32_t kCaptionProperty = 8;  // a label's caption
constexpr int32_t kPeriodProperty = 8;   // a timer's period
