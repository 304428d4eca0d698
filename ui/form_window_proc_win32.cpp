// The messages of a form window: painting, its events, routing notifications to its
// controls, closing, and the release of its units when it is gone.
#include "ui/form_window.h"
#include "ui/unit_cursor.h"
#include "ui/window.h"

namespace {

// Paints the update area in the background colour: its region as Windows reports it, or the
// paint box when the region cannot be had. The paint is always begun and ended, so that the
// area is validated whatever happens.
void paintBackground(HWND window, const FormWindowUnit *form) {
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  if (update != nullptr && GetUpdateRgn(window, update, FALSE) == ERROR) {
    DeleteObject(update);
    update = nullptr;
  }
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  if (update == nullptr) update = CreateRectRgnIndirect(&paint.rcPaint);
  const uint32_t colour = form->settings.backgroundColour;
  const COLORREF drawn = colour == kDefaultColour ? GetSysColor(COLOR_BTNFACE) : colour;
  const HBRUSH brush = CreateSolidBrush(drawn);
  // Without a DC, region or brush the area stays unpainted this time; nothing else is lost.
  if (dc != nullptr && update != nullptr && brush != nullptr) FillRgn(dc, update, brush);
  if (brush != nullptr) DeleteObject(brush);
  EndPaint(window, &paint);
  if (update != nullptr) DeleteObject(update);
}

// The unit of one of the window's controls by its Windows window, null when none is.
UnitHeader *controlOf(WindowTemplate *window, HWND control) {
  for (int32_t i = 1; i < window->unitCount; ++i) {
    UnitHeader *unit = static_cast<UnitHeader *>(window->units[i].object);
    if (unit != nullptr && unit->window == control) return unit;
  }
  return nullptr;
}

// Hands a control's notification to its kind.
void routeCommand(const FormWindowUnit *form, WPARAM wParam, LPARAM lParam) {
  WindowTemplate *window = findWindowTemplate(g_runtime.templates, form->header.windowId);
  if (window == nullptr || lParam == 0) return;
  UnitHeader *unit = controlOf(window, reinterpret_cast<HWND>(lParam));
  if (unit != nullptr && unit->ops->command != nullptr) unit->ops->command(unit, HIWORD(wParam));
}

void raiseWindowEvent(const FormWindowUnit *form, int32_t event) {
  raiseEvent(form->header.windowId, form->header.unitId, event);
}

// Raises the close queries and destroys the window. Handlers answer nothing through
// EventHandler, so a bound query cannot keep the window open.
void closeWindow(HWND window, const FormWindowUnit *form) {
  const uint32_t windowId = form->header.windowId;
  raiseWindowEvent(form, kFirstCloseQueryEvent);
  raiseEvent(windowId, form->header.unitId, kCloseQueryEvent);
  // A handler may have destroyed the window already; then there is nothing left to destroy.
  if (IsWindow(window)) DestroyWindow(window);
}

// Releases the units of the window once its Windows windows are all gone, and ends the
// message loop when no window of the form is left.
void releaseUnits(uint32_t windowId) {
  WindowTemplate *window = findWindowTemplate(g_runtime.templates, windowId);
  if (window != nullptr) {
    for (int32_t i = window->unitCount - 1; i >= 0; --i) {
      UnitRecord &record = window->units[i];
      if (UnitHeader *unit = static_cast<UnitHeader *>(record.object)) unit->ops->release(unit);
      record.object = nullptr;
      releaseUnitCursor(record.cursor);
      record.cursor = nullptr;
    }
    window->loaded = false;
  }
  if (g_runtime.messageLoopEntered && !anyFormWindowExists()) PostQuitMessage(0);
}

// Raises the activation events: first activated once, then activated; or deactivated.
void onActivate(FormWindowUnit *form, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    raiseWindowEvent(form, kDeactivatedEvent);
    return;
  }
  if (!form->activatedOnce) {
    form->activatedOnce = true;
    raiseWindowEvent(form, kFirstActivatedEvent);
  }
  raiseWindowEvent(form, kActivatedEvent);
}

}  // namespace

// Gives the window unit while its window exists.
FormWindowUnit *formWindowOf(WindowTemplate *window) {
  if (window == nullptr || window->unitCount < 1) return nullptr;
  FormWindowUnit *form = static_cast<FormWindowUnit *>(window->units[0].object);
  if (form == nullptr || form->header.window == nullptr) return nullptr;
  return form;
}

// Gives true while any template's window exists.
bool anyFormWindowExists() {
  FormTemplates *templates = g_runtime.templates;
  if (templates == nullptr) return false;
  for (int32_t i = 0; i < templates->windowCount && i < kMaxWindows; ++i)
    if (formWindowOf(&templates->windows[i]) != nullptr) return true;
  return false;
}

// Serves the messages of a form window, one routine each.
LRESULT CALLBACK formWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    bindUnitWindow(window, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  FormWindowUnit *form = reinterpret_cast<FormWindowUnit *>(unitOfWindow(window));
  if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: paintBackground(window, form); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the background itself
    case WM_COMMAND: routeCommand(form, wParam, lParam); return 0;
    case WM_CLOSE: closeWindow(window, form); return 0;
    case WM_DESTROY: raiseWindowEvent(form, kDestroyingEvent); return 0;
    case WM_NCDESTROY: {
      const uint32_t windowId = form->header.windowId;
      form->header.window = nullptr;
      // The unit is gone with the window: the user data must not lead to it any more.
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      releaseUnits(windowId);
      break;
    }
    case WM_MOVE: raiseWindowEvent(form, kMovedEvent); break;
    case WM_SIZE: raiseWindowEvent(form, kResizedEvent); break;
    case WM_SHOWWINDOW: raiseWindowEvent(form, wParam != 0 ? kShownEvent : kHiddenEvent); break;
    case WM_ACTIVATE: onActivate(form, wParam); break;
    case WM_NCHITTEST: {
      const LRESULT hit = DefWindowProcA(window, message, wParam, lParam);
      return form->settings.dragAnywhere != 0 && hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_NCACTIVATE:
      if (form->settings.keepTitleActive != 0) return DefWindowProcA(window, message, TRUE, lParam);
      break;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window &&
          showUnitCursor(&form->header))
        return TRUE;
      break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
