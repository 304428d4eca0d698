// loadWindow: the window and its controls from the template, the created event, the show.
#include "services/fatal.h"
#include "ui/form_window.h"
#include "ui/kind_traits.h"
#include "ui/runtime_messages.h"
#include "ui/unit_cursor.h"
#include "ui/window.h"

namespace {

constexpr int32_t kFirstChildId = 100;
constexpr int32_t kChildIdStep = 10;

[[noreturn]] void failLoad() { reportFatalError(kLoadWindowFailed, 0); }

// Dispatches every waiting message without idle processing. A quit message is put back for
// the message loop, which it ends.
void dispatchWaitingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The style bits that come from a record's flags.
DWORD flagStyles(const UnitRecord &record) {
  DWORD style = 0;
  if (record.flags & kFlagDisabled) style |= WS_DISABLED;
  if (record.flags & kFlagTabStop) style |= WS_TABSTOP;
  return style;
}

// Creates one unit by its kind; fatal when the kind is unknown or the creation fails.
UnitHeader *createUnit(const WindowTemplate &window, const UnitRecord &record, HWND parent,
                       int32_t childId) {
  const UnitKindOps *ops = findUnitKind(record.kind);
  if (ops == nullptr) failLoad();
  const UnitCreateArgs args = {
      record.kindData, record.kindDataLength, flagStyles(record), parent,
      childId,         record.left,           record.top,         record.width,
      record.height,   window.windowId,       record.id};
  UnitHeader *unit = ops->create(args);
  if (unit == nullptr) failLoad();
  return unit;
}

// The Windows window of the unit a record's parent names; the form window for 0 or for a
// parent that does not exist.
HWND parentWindow(WindowTemplate *window, const UnitRecord &record, HWND form) {
  if (record.parent == 0) return form;
  const UnitRecord *parent = findUnit(window, record.parent);
  if (parent == nullptr || parent == &window->units[0] || parent->object == nullptr) return form;
  const HWND parentWindow = static_cast<UnitHeader *>(parent->object)->window;
  return parentWindow != nullptr ? parentWindow : form;
}

HWND unitWindow(const UnitRecord &record) {
  return static_cast<UnitHeader *>(record.object)->window;
}

// Step 6: every control on its parent's window, each stacked directly below the nearest
// earlier control with the same parent, or on top when there is none.
void placeAndStack(WindowTemplate *window, HWND form) {
  for (int32_t i = 1; i < window->unitCount; ++i) {
    const UnitRecord &record = window->units[i];
    const HWND control = unitWindow(record);
    const HWND parent = parentWindow(window, record, form);
    // Moving a child between two live windows of this thread does not fail.
    if (GetParent(control) != parent) SetParent(control, parent);
    HWND above = HWND_TOP;
    for (int32_t j = i - 1; j >= 1; --j)
      if (window->units[j].parent == record.parent) {
        above = unitWindow(window->units[j]);
        break;
      }
    // Restacking live siblings does not fail in a way that could be helped.
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// Step 9: shows the controls whose visible flag is set, except kinds never shown.
void showControls(WindowTemplate *window) {
  for (int32_t i = 1; i < window->unitCount; ++i) {
    const UnitRecord &record = window->units[i];
    const KindTraits *traits = findKindTraits(record.kind);
    const bool shown = (record.flags & kFlagVisible) && traits != nullptr && !traits->neverShown;
    // ShowWindow answers the previous visibility, not success.
    ShowWindow(unitWindow(record), shown ? SW_SHOWNA : SW_HIDE);
  }
}

// Step 12: shows the window as its start position asks.
void showForm(const FormWindowUnit *form) {
  int command = SW_SHOW;
  if (form->settings.startPosition == 2) command = SW_SHOWMINIMIZED;
  if (form->settings.startPosition == 3) command = SW_SHOWMAXIMIZED;
  // ShowWindow answers the previous visibility, not success.
  ShowWindow(form->header.window, command);
}

// Step 2: brings an existing window forward instead of loading it again.
void bringForward(HWND window) {
  // Both calls answer the previous state, not success.
  if (IsIconic(window))
    ShowWindow(window, SW_RESTORE);
  else
    SetForegroundWindow(window);
}

}  // namespace

// Loads the window; every failure is fatal, so on return the window is shown.
void loadWindow(uint32_t windowId) {
  WindowTemplate *window = findWindowTemplate(g_runtime.templates, windowId);  // 1
  if (window == nullptr || window->unitCount < 1) failLoad();
  if (FormWindowUnit *existing = formWindowOf(window)) {  // 2
    bringForward(existing->header.window);
    return;
  }
  dispatchWaitingMessages();  // 3
  ++g_runtime.eventsSuppressed;

  UnitRecord &own = window->units[0];  // 4
  own.object = createUnit(*window, own, nullptr, 0);
  const HWND formWindow = static_cast<UnitHeader *>(own.object)->window;

  int32_t childId = kFirstChildId;  // 5
  for (int32_t i = window->unitCount - 1; i >= 1; --i, childId += kChildIdStep)
    window->units[i].object = createUnit(*window, window->units[i], formWindow, childId);

  placeAndStack(window, formWindow);                 // 6
  for (int32_t i = 0; i < window->unitCount; ++i) {  // 7
    UnitRecord &record = window->units[i];
    record.cursor = makeUnitCursor(record.cursorData, record.cursorDataLength);
  }
  // 8: the kinds of this run time take no window-complete notification.
  showControls(window);       // 9
  dispatchWaitingMessages();  // 10
  --g_runtime.eventsSuppressed;

  raiseEvent(windowId, own.id, kCreatedEvent);  // 11
  if (formWindowOf(window) != nullptr) raiseEvent(windowId, own.id, kMovedEvent);
  if (formWindowOf(window) != nullptr) raiseEvent(windowId, own.id, kResizedEvent);

  if (const FormWindowUnit *form = formWindowOf(window); form && (own.flags & kFlagVisible))
    showForm(form);  // 12
  // 13: no kind here takes the window-shown notification, so nothing can have moved the focus.
  if (formWindowOf(window) != nullptr) window->loaded = true;  // 14
}
