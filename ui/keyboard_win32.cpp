#include "ui/form_window.h"
#include "ui/keyboard.h"
#include "ui/kind_traits.h"
#include "ui/window.h"
#include "values/block.h"

namespace {

constexpr int32_t kClickEvent = 0;

struct KeyContext {
  WindowTemplate *window;
  FormWindowUnit *form;
};

// The form window that the message's window is, or lies in; false for other windows.
bool findContext(HWND target, KeyContext *context) {
  const HWND root = GetAncestor(target, GA_ROOT);
  FormTemplates *templates = g_runtime.templates;
  if (root == nullptr || templates == nullptr) return false;
  for (int32_t i = 0; i < templates->windowCount && i < kMaxWindows; ++i) {
    FormWindowUnit *form = formWindowOf(&templates->windows[i]);
    if (form != nullptr && form->header.window == root) {
      *context = KeyContext{&templates->windows[i], form};
      return true;
    }
  }
  return false;
}

// True when the control with the focus wants the key itself.
bool focusClaims(const MSG &message, HWND form) {
  const HWND focus = GetFocus();
  if (focus == nullptr || focus == form) return false;
  const LRESULT code =
      SendMessageA(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return true;
  return message.wParam == VK_TAB && (code & DLGC_WANTTAB);
}

HWND unitWindow(const UnitRecord &record) {
  const UnitHeader *unit = static_cast<const UnitHeader *>(record.object);
  return unit != nullptr ? unit->window : nullptr;
}

bool usable(HWND control) {
  return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control);
}

// Moves the focus to the next (or previous) usable tab-stop control in tab order, then stored
// order, wrapping around; all is false for every usable control instead of tab stops only.
void moveFocus(const KeyContext &context, bool backwards, bool all) {
  WindowTemplate *window = context.window;
  int32_t order[kMaxUnits];
  int32_t count = 0;
  for (int32_t i = 1; i < window->unitCount; ++i) {
    const HWND control = unitWindow(window->units[i]);
    if (!usable(control)) continue;
    if (!all && !(GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP)) continue;
    int32_t at = count++;
    while (at > 0 && window->units[order[at - 1]].tabOrder > window->units[i].tabOrder) {
      order[at] = order[at - 1];
      --at;
    }
    order[at] = i;
  }
  if (count == 0) return;
  const HWND focus = GetFocus();
  int32_t current = -1;
  for (int32_t k = 0; k < count; ++k)
    if (unitWindow(window->units[order[k]]) == focus) current = k;
  int32_t next;
  if (current < 0)
    next = backwards ? count - 1 : 0;
  else
    next = (current + (backwards ? count - 1 : 1)) % count;
  // SetFocus answers the window that had the focus, not success.
  SetFocus(unitWindow(window->units[order[next]]));
}

// Raises the click event of a visible, enabled default push button; false when there is none.
bool clickDefaultButton(const KeyContext &context) {
  WindowTemplate *window = context.window;
  for (int32_t i = 1; i < window->unitCount; ++i) {
    UnitHeader *unit = static_cast<UnitHeader *>(window->units[i].object);
    if (unit == nullptr || unit->ops->isDefaultButton == nullptr || !usable(unit->window)) continue;
    if (unit->ops->isDefaultButton(unit)) {
      raiseEvent(unit->windowId, unit->unitId, kClickEvent);
      return true;
    }
  }
  return false;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// True when the caption marks key with "&" ("&&" is a plain "&"), read as code page 936.
bool marksMnemonic(const char *caption, char key) {
  for (int32_t i = 0; caption[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(caption[i]);
    if (c >= 0x81 && c <= 0xFE && caption[i + 1] != '\0') {
      ++i;
      continue;
    }
    if (c != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return upper(caption[i + 1]) == key;
  }
  return false;
}

// Raises the click event of the usable control whose caption marks the key; false if none.
bool clickMnemonic(const KeyContext &context, char key) {
  WindowTemplate *window = context.window;
  for (int32_t i = 1; i < window->unitCount; ++i) {
    const UnitRecord &record = window->units[i];
    const KindTraits *traits = findKindTraits(record.kind);
    const HWND control = unitWindow(record);
    if (traits == nullptr || !traits->takesMnemonics || !usable(control)) continue;
    const int32_t length = GetWindowTextLengthA(control);
    if (length <= 0) continue;
    char *caption = static_cast<char *>(allocateBlock(length + 1));
    const bool marked =
        GetWindowTextA(control, caption, length + 1) > 0 && marksMnemonic(caption, key);
    releaseBlock(caption);
    if (marked) {
      raiseEvent(context.form->header.windowId, record.id, kClickEvent);
      return true;
    }
  }
  return false;
}

bool isLetterOrDigit(WPARAM key) {
  return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

}  // namespace

// Gives true when the key was handled here; see the header.
bool handleFormKey(const MSG &message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  KeyContext context;
  if (!findContext(message.hwnd, &context)) return false;
  const HWND form = context.form->header.window;
  if (focusClaims(message, form)) return false;
  const WindowSettings &s = context.form->settings;
  const bool alt = message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)) != 0;
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const WPARAM key = message.wParam;
  if (alt) {
    if (control || !isLetterOrDigit(key)) return false;
    return clickMnemonic(context, static_cast<char>(key));
  }
  switch (key) {
    case VK_TAB:
      if (control) return false;
      moveFocus(context, shift, false);
      return true;
    case VK_RETURN:
      if (clickDefaultButton(context)) return true;
      if (s.enterMovesFocus == 0) return false;
      moveFocus(context, shift, true);
      return true;
    case VK_ESCAPE:
      if (s.escCloses == 0) return false;
      SendMessageA(form, WM_CLOSE, 0, 0);
      return true;
    default: return false;
  }
}
