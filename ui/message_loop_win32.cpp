// runMessageLoop: messages until the quit message, with idle processing in between.
#include "ui/form_window.h"
#include "ui/keyboard.h"
#include "ui/window.h"

namespace {

constexpr UINT kSystemTimer = 0x0118;  // WM_SYSTIMER: the caret's blink

// Calls the idle routines whose window still exists and drops the others.
void runIdleRoutines() {
  int32_t kept = 0;
  for (int32_t i = 0; i < g_runtime.idleRoutineCount; ++i) {
    const IdleRoutine entry = g_runtime.idleRoutines[i];
    if (formWindowOf(findWindowTemplate(g_runtime.templates, entry.windowId)) == nullptr) continue;
    g_runtime.idleRoutines[kept++] = entry;
    entry.routine(entry.argument);
  }
  g_runtime.idleRoutineCount = kept;
}

// One idle pass; true when another pass has work. Pass 0 is the housekeeping, which this run
// time has none of; pass 1 raises the idle event of every loaded window. A handler cannot
// answer that it wants more idle time, so idling ends after it.
bool idlePass(int32_t pass) {
  if (pass == 0) return true;
  FormTemplates *templates = g_runtime.templates;
  for (int32_t i = 0; templates != nullptr && i < templates->windowCount && i < kMaxWindows; ++i) {
    WindowTemplate *window = &templates->windows[i];
    if (window->loaded && formWindowOf(window) != nullptr)
      raiseEvent(window->windowId, window->units[0].id, kIdleEvent);
  }
  return false;
}

bool messageWaiting() {
  MSG message;
  return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

// Idles until a message arrives or a pass reports no more work.
void idle() {
  runIdleRoutines();
  for (int32_t pass = 0; !messageWaiting(); ++pass)
    if (!idlePass(pass)) break;
}

// True for a message after which idle processing starts again: all but a repeated paint,
// the caret timer and a mouse move to the same place.
bool restartsIdle(const MSG &message, MSG *last) {
  if (message.message == kSystemTimer) return false;
  if (message.message == WM_PAINT && last->message == WM_PAINT && last->hwnd == message.hwnd)
    return false;
  if ((message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) &&
      message.message == last->message && message.pt.x == last->pt.x && message.pt.y == last->pt.y)
    return false;
  *last = message;
  return true;
}

}  // namespace

// Runs the loop; returns at the quit message, or at once when no form window exists.
void runMessageLoop() {
  g_runtime.messageLoopEntered = true;
  if (!anyFormWindowExists()) return;
  bool idleDue = true;
  MSG last = {};
  for (;;) {
    if (idleDue && !messageWaiting()) {
      idle();
      idleDue = false;
    }
    MSG message;
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    // -1 only comes for an invalid window filter, which this loop does not pass; it ends the
    // loop rather than spinning on it.
    if (got == 0 || got == -1) return;
    // The forms of this run time have no accelerator tables; the keyboard handling comes next.
    if (!handleFormKey(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (restartsIdle(message, &last)) idleDue = true;
  }
}
