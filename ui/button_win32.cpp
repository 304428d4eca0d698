// ButtonUnit: a push button of the system class "BUTTON", subclassed for its focus events.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "ui/form_model.h"
#include "ui/kind_settings.h"
#include "ui/unit_cursor.h"
#include "ui/unit_font.h"
#include "ui/unit_kinds.h"
#include "ui/value_slots.h"
#include "ui/window.h"
#include "values/block.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int32_t kClickEvent = 0;
constexpr int32_t kGotFocusEvent = -7;
constexpr int32_t kLostFocusEvent = -8;

enum ButtonProperty : int32_t {
  kPicture,
  kButtonType,
  kCaption,
  kHorizontalAlignment,
  kVerticalAlignment,
  kFont,
  kButtonPropertyCount
};

constexpr int32_t kButtonTypes[kButtonPropertyCount] = {kTypePicture, kTypeChoice, kTypeText,
                                                        kTypeChoice,  kTypeChoice, kTypeFont};

struct ButtonUnit {
  UnitHeader header;
  ButtonSettings settings;  // the scalar settings; the spans are replaced by the copies below
  Text caption;
  ByteSet picture;  // kept and given back; the button shows its caption only
  ByteSet fontData;
  UnitFont font;
  DWORD styleBits;  // from the record's flags, kept for a re-creation
};

ButtonUnit *asButton(UnitHeader *unit) { return reinterpret_cast<ButtonUnit *>(unit); }

constexpr DWORD kAlignmentMask = BS_CENTER | BS_VCENTER;

// The type and alignment style bits of the settings.
DWORD buttonStyleBits(const ButtonSettings &s) {
  DWORD style = s.buttonType == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  const DWORD horizontal[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
  const DWORD vertical[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
  style |= horizontal[clampChoice(s.horizontalAlignment, 2)];
  style |= vertical[clampChoice(s.verticalAlignment, 2)];
  return style;
}

LRESULT CALLBACK buttonSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR data);

// Makes the button's window at the given place; false when it cannot be made or subclassed.
bool buildButtonWindow(ButtonUnit *button, HWND parent, int32_t childId, const RECT &place) {
  const DWORD style = button->styleBits | buttonStyleBits(button->settings) | BS_MULTILINE |
                      WS_CHILD | WS_CLIPSIBLINGS;
  const HWND window = CreateWindowExA(
      0, "BUTTON", button->caption != nullptr ? button->caption : "", style, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), runtimeInstance(), nullptr);
  if (window == nullptr) return false;
  if (!SetWindowSubclass(window, buttonSubclass, kSubclassId,
                         reinterpret_cast<DWORD_PTR>(button))) {
    // The button was made a moment ago and is known to nobody; its destruction cannot fail.
    DestroyWindow(window);
    return false;
  }
  button->header.window = window;
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(button->font.font), FALSE);
  return true;
}

// Frees what the button holds and the object itself.
void releaseButton(UnitHeader *unit) {
  ButtonUnit *button = asButton(unit);
  releaseBlock(button->caption);
  releaseBlock(button->picture);
  releaseBlock(button->fontData);
  releaseUnitFont(&button->font);
  releaseBlock(button);
}

// Gives the new button, or null when its kind data cannot be read or its window not made.
UnitHeader *createButton(const UnitCreateArgs &args) {
  ButtonSettings settings;
  if (!readButtonSettings(args.kindData, args.kindDataLength, &settings)) return nullptr;
  ButtonUnit *button = static_cast<ButtonUnit *>(allocateBlock(sizeof(ButtonUnit)));
  *button = ButtonUnit{};
  button->header = UnitHeader{&kButtonKind, args.windowId, args.unitId, nullptr};
  button->settings = settings;
  button->styleBits = args.styleBits;
  storeText(&button->caption, bytesValue(settings.caption.data, settings.caption.length));
  storeBytes(&button->picture, bytesValue(settings.picture.data, settings.picture.length));
  storeBytes(&button->fontData, bytesValue(settings.font.data, settings.font.length));
  button->settings.caption = button->settings.picture = button->settings.font = ByteSpan{};
  const KindValue font = byteSetValue(button->fontData);
  button->font = makeUnitFont(font.bytes, font.length);
  const RECT place = {args.left, args.top, args.left + args.width, args.top + args.height};
  if (!buildButtonWindow(button, args.parent, args.childId, place)) {
    releaseButton(&button->header);
    return nullptr;
  }
  return &button->header;
}

// Puts the type and alignment of the settings into the live button and repaints it.
void applyButtonStyle(ButtonUnit *button) {
  const HWND window = button->header.window;
  const DWORD bits = buttonStyleBits(button->settings);
  const DWORD old = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const DWORD style = (old & ~(kAlignmentMask | BS_TYPEMASK)) | bits;
  // The style word of a live button is always writable; BM_SETSTYLE then repaints it.
  SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(style));
  SendMessageA(window, BM_SETSTYLE, bits & BS_TYPEMASK, TRUE);
}

// Stores the value; true (re-create) when the picture changed.
bool changeButton(UnitHeader *unit, int32_t property, const KindValue &value) {
  ButtonUnit *button = asButton(unit);
  switch (property) {
    case kPicture: storeBytes(&button->picture, value); return true;
    case kButtonType:
      button->settings.buttonType = clampChoice(value.integer, 1);
      applyButtonStyle(button);
      return false;
    case kCaption:
      storeText(&button->caption, value);
      // A live button's text can always be set; a gone one has none to set.
      SetWindowTextA(unit->window, button->caption != nullptr ? button->caption : "");
      return false;
    case kHorizontalAlignment:
      button->settings.horizontalAlignment = clampChoice(value.integer, 2);
      applyButtonStyle(button);
      return false;
    case kVerticalAlignment:
      button->settings.verticalAlignment = clampChoice(value.integer, 2);
      applyButtonStyle(button);
      return false;
    case kFont: {
      storeBytes(&button->fontData, value);
      const KindValue font = byteSetValue(button->fontData);
      UnitFont old = button->font;
      button->font = makeUnitFont(font.bytes, font.length);
      SendMessageA(unit->window, WM_SETFONT, reinterpret_cast<WPARAM>(button->font.font), TRUE);
      releaseUnitFont(&old);
      return false;
    }
    default: return false;
  }
}

// Gives the stored setting.
KindValue buttonValue(UnitHeader *unit, int32_t property) {
  ButtonUnit *button = asButton(unit);
  switch (property) {
    case kPicture: return byteSetValue(button->picture);
    case kButtonType: return integerValue(button->settings.buttonType);
    case kCaption: return textValue(button->caption);
    case kHorizontalAlignment: return integerValue(button->settings.horizontalAlignment);
    case kVerticalAlignment: return integerValue(button->settings.verticalAlignment);
    case kFont: return byteSetValue(button->fontData);
    default: return noValue();
  }
}

// Gives true when the live button is a default push button.
bool isDefaultButton(UnitHeader *unit) {
  if (unit->window == nullptr) return false;
  const LONG_PTR style = GetWindowLongPtrA(unit->window, GWL_STYLE);
  return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// Makes the button anew at the place, stacking position, state and child id of the old one.
bool recreateButton(UnitHeader *unit) {
  ButtonUnit *button = asButton(unit);
  const HWND old = unit->window;
  if (old == nullptr) return false;
  const HWND parent = GetParent(old);
  RECT place;
  if (!GetWindowRect(old, &place)) return false;
  // Two points always map; a window at the screen's origin would make a 0 result ambiguous.
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&place), 2);
  const int32_t childId = GetDlgCtrlID(old);
  const HWND above = GetWindow(old, GW_HWNDPREV);
  const bool visible = (GetWindowLongPtrA(old, GWL_STYLE) & WS_VISIBLE) != 0;
  const bool enabled = IsWindowEnabled(old) != FALSE;
  const bool focused = GetFocus() == old;
  // The old window's destruction removes its subclass, and with it the binding to the unit.
  DestroyWindow(old);
  button->header.window = nullptr;
  button->styleBits =
      (button->styleBits & ~static_cast<DWORD>(WS_DISABLED)) | (enabled ? 0 : WS_DISABLED);
  if (!buildButtonWindow(button, parent, childId, place)) return false;
  const HWND window = button->header.window;
  // Stacking and showing a child of a live parent do not fail in a way that could be helped.
  SetWindowPos(window, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (visible) ShowWindow(window, SW_SHOWNA);
  if (focused) SetFocus(window);
  return true;
}

// Raises the click event on BN_CLICKED.
void buttonCommand(UnitHeader *unit, int32_t code) {
  if (code == BN_CLICKED) raiseEvent(unit->windowId, unit->unitId, kClickEvent);
}

// Raises the focus events after the button's own handling and unbinds it when it goes.
LRESULT CALLBACK buttonSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR data) {
  ButtonUnit *button = reinterpret_cast<ButtonUnit *>(data);
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      raiseEvent(button->header.windowId, button->header.unitId,
                 message == WM_SETFOCUS ? kGotFocusEvent : kLostFocusEvent);
      return result;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && showUnitCursor(&button->header)) return TRUE;
      break;
    case WM_NCDESTROY:
      // Removing a subclass that this very procedure serves cannot fail.
      RemoveWindowSubclass(window, buttonSubclass, id);
      if (button->header.window == window) button->header.window = nullptr;
      break;
    default: break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

const UnitKindOps kButtonKind = {kKindButton,   kButtonTypes, kButtonPropertyCount, createButton,
                                 changeButton,  buttonValue,  isDefaultButton,      recreateButton,
                                 buttonCommand, releaseButton};
