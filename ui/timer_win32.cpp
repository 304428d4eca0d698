// TimerUnit: a hidden window whose Windows timer raises the periodic event.
#include "ui/form_model.h"
#include "ui/kind_settings.h"
#include "ui/unit_kinds.h"
#include "ui/window.h"
#include "values/block.h"

namespace {

constexpr char kTimerClass[] = "TimecalTimer";
constexpr UINT_PTR kTimerId = 1000;
constexpr int32_t kPeriodicEvent = 0;
constexpr int32_t kPeriod = 0;

constexpr int32_t kTimerTypes[] = {kTypeInteger};

struct TimerUnit {
  UnitHeader header;
  int32_t period;  // milliseconds; 0 = stopped
  bool running;
};

TimerUnit *asTimer(UnitHeader *unit) { return reinterpret_cast<TimerUnit *>(unit); }

// Starts the Windows timer. A refused SetTimer is not reported: the timer counts as running,
// so that the next change of the period tries again.
void startTimer(TimerUnit *timer) {
  SetTimer(timer->header.window, kTimerId, static_cast<UINT>(timer->period), nullptr);
  timer->running = true;
}

// Stops the Windows timer; a timer that is not there any more needs no stopping.
void stopTimer(TimerUnit *timer) {
  KillTimer(timer->header.window, kTimerId);
  timer->running = false;
}

LRESULT CALLBACK timerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Frees the object; its window, and with it its Windows timer, is gone by then.
void releaseTimer(UnitHeader *unit) { releaseBlock(unit); }

// Gives the new timer, or null when its kind data cannot be read or its window not made.
UnitHeader *createTimer(const UnitCreateArgs &args) {
  TimerSettings settings;
  if (!readTimerSettings(args.kindData, args.kindDataLength, &settings)) return nullptr;
  if (!registerRuntimeClass(kTimerClass, CS_DBLCLKS, timerProcedure)) return nullptr;
  TimerUnit *timer = static_cast<TimerUnit *>(allocateBlock(sizeof(TimerUnit)));
  *timer = TimerUnit{};
  timer->header = UnitHeader{&kTimerKind, args.windowId, args.unitId, nullptr};
  timer->period = settings.period < 0 ? 0 : settings.period;
  const HWND window = CreateWindowExA(
      0, kTimerClass, "", args.styleBits | WS_CHILD | WS_CLIPSIBLINGS, args.left, args.top,
      args.width, args.height, args.parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.childId)), runtimeInstance(), timer);
  if (window == nullptr) {
    releaseTimer(&timer->header);
    return nullptr;
  }
  return &timer->header;
}

// Applies a new period: the same one leaves a running timer alone, another restarts or
// stops it. Never asks for re-creation.
bool changeTimer(UnitHeader *unit, int32_t property, const KindValue &value) {
  if (property != kPeriod) return false;
  TimerUnit *timer = asTimer(unit);
  const int32_t period = value.integer < 0 ? 0 : value.integer;
  if (period == timer->period) return false;
  timer->period = period;
  if (timer->running) stopTimer(timer);
  if (period > 0) startTimer(timer);
  return false;
}

// Gives the period.
KindValue timerValue(UnitHeader *unit, int32_t property) {
  if (property != kPeriod) return noValue();
  return integerValue(asTimer(unit)->period);
}

// Serves the timer window's messages.
LRESULT CALLBACK timerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: bindUnitWindow(window, lParam); break;
    case WM_CREATE:
      if (TimerUnit *timer = asTimer(unitOfWindow(window)); timer != nullptr && timer->period > 0)
        startTimer(timer);
      return 0;
    case WM_TIMER: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      if (UnitHeader *unit = unitOfWindow(window))
        raiseEvent(unit->windowId, unit->unitId, kPeriodicEvent);
      return result;
    }
    case WM_DESTROY:
      if (TimerUnit *timer = asTimer(unitOfWindow(window)); timer != nullptr && timer->running)
        stopTimer(timer);
      return 0;
    case WM_NCDESTROY:
      if (UnitHeader *unit = unitOfWindow(window)) unit->window = nullptr;
      break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

const UnitKindOps kTimerKind = {kKindTimer, kTimerTypes, 1,       createTimer, changeTimer,
                                timerValue, nullptr,     nullptr, nullptr,     releaseTimer};
