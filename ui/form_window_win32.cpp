// CWinFormUnit as a unit kind: creation from the window's kind data and its properties.
#include "ui/form_window.h"
#include "ui/value_slots.h"
#include "values/block.h"

namespace {

constexpr char kDefaultFormClass[] = "TimecalForm";
constexpr char kDefaultIcon[] = "DEFAULT_ICON";

enum FormProperty : int32_t {
  kCaption,
  kBorderStyle,
  kBackgroundColour,
  kBackgroundPicture,
  kPictureMode,
  kBackgroundSound,
  kSoundPlayMode,
  kControlBox,
  kMaximizeButton,
  kMinimizeButton,
  kStartPosition,
  kMovable,
  kIcon,
  kEnterMovesFocus,
  kEscCloses,
  kF1OpensHelp,
  kHelpFile,
  kHelpContext,
  kShowInTaskbar,
  kDragAnywhere,
  kShape,
  kAlwaysOnTop,
  kKeepTitleActive,
  kClassName,
  kFormPropertyCount
};

constexpr int32_t kFormTypes[kFormPropertyCount] = {
    kTypeText,    kTypeChoice,  kTypeBackgroundColour, kTypePicture, kTypeChoice,  kTypeSound,
    kTypeChoice,  kTypeBoolean, kTypeBoolean,          kTypeBoolean, kTypeChoice,  kTypeBoolean,
    kTypeIcon,    kTypeBoolean, kTypeBoolean,          kTypeBoolean, kTypeText,    kTypeInteger,
    kTypeBoolean, kTypeBoolean, kTypeChoice,           kTypeBoolean, kTypeBoolean, kTypeText};

constexpr int32_t kNoClamp = -1;

// The integer settings, by kind property, with the highest choice (kNoClamp: none).
struct IntegerSetting {
  int32_t property;
  int32_t WindowSettings::*member;
  int32_t maximum;
};

constexpr IntegerSetting kIntegerSettings[] = {
    {kBorderStyle, &WindowSettings::borderStyle, 6},
    {kPictureMode, &WindowSettings::pictureMode, 3},
    {kSoundPlayMode, &WindowSettings::soundPlayMode, 2},
    {kControlBox, &WindowSettings::controlBox, kNoClamp},
    {kMaximizeButton, &WindowSettings::maximizeButton, kNoClamp},
    {kMinimizeButton, &WindowSettings::minimizeButton, kNoClamp},
    {kStartPosition, &WindowSettings::startPosition, 3},
    {kMovable, &WindowSettings::movable, kNoClamp},
    {kEnterMovesFocus, &WindowSettings::enterMovesFocus, kNoClamp},
    {kEscCloses, &WindowSettings::escCloses, kNoClamp},
    {kF1OpensHelp, &WindowSettings::f1OpensHelp, kNoClamp},
    {kHelpContext, &WindowSettings::helpContext, kNoClamp},
    {kShowInTaskbar, &WindowSettings::showInTaskbar, kNoClamp},
    {kDragAnywhere, &WindowSettings::dragAnywhere, kNoClamp},
    {kShape, &WindowSettings::shape, 29},
    {kAlwaysOnTop, &WindowSettings::alwaysOnTop, kNoClamp},
    {kKeepTitleActive, &WindowSettings::keepTitleActive, kNoClamp},
};

const IntegerSetting *findIntegerSetting(int32_t property) {
  for (const IntegerSetting &setting : kIntegerSettings)
    if (setting.property == property) return &setting;
  return nullptr;
}

FormWindowUnit *asForm(UnitHeader *unit) { return reinterpret_cast<FormWindowUnit *>(unit); }

bool resizableFrame(int32_t borderStyle) {
  return borderStyle == 1 || borderStyle == 3 || borderStyle == 5;
}

// The frame and title-bar styles of the settings. A window without a border is a pop-up,
// since Windows gives every overlapped window a caption.
void frameStyles(const FormWindowUnit *form, DWORD *style, DWORD *exStyle) {
  const WindowSettings &s = form->settings;
  *style = 0;
  *exStyle = 0;
  if (s.borderStyle == 0) {
    *style |= WS_POPUP;
  } else {
    if (textLength(form->caption) > 0 || s.controlBox != 0) *style |= WS_CAPTION;
    if (s.controlBox != 0) *style |= WS_SYSMENU;
    *style |= WS_DLGFRAME;
  }
  if (resizableFrame(s.borderStyle)) *style |= WS_THICKFRAME;
  if (s.borderStyle == 3 || s.borderStyle == 4) *exStyle |= WS_EX_TOOLWINDOW;
  if (s.borderStyle == 5 || s.borderStyle == 6) *exStyle |= WS_EX_CLIENTEDGE;
  if (s.maximizeButton != 0) *style |= WS_MAXIMIZEBOX;
  if (s.minimizeButton != 0) *style |= WS_MINIMIZEBOX;
}

constexpr DWORD kFrameStyleMask =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
constexpr DWORD kFrameExStyleMask = WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;

// Gives the form's window class, registered on first use: its class name setting or the
// run time's default class.
const char *formClass(const FormWindowUnit *form) {
  const char *name = textLength(form->className) > 0 ? form->className : kDefaultFormClass;
  if (!registerRuntimeClass(name, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, formWindowProcedure))
    return nullptr;
  return name;
}

// Sends the big and small icons of "DEFAULT_ICON"; a program without that icon keeps the
// class's (none), which is no error.
void applyIcons(HWND window) {
  const struct {
    WPARAM which;
    int width, height;
  } sizes[] = {{ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)},
               {ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)}};
  for (const auto &size : sizes) {
    const HANDLE icon =
        LoadImageA(runtimeInstance(), kDefaultIcon, IMAGE_ICON, size.width, size.height, LR_SHARED);
    if (icon != nullptr)
      SendMessageA(window, WM_SETICON, size.which, reinterpret_cast<LPARAM>(icon));
  }
}

// Puts the move command in the system menu or takes it out, by the movable setting.
void applyMovable(FormWindowUnit *form) {
  const HWND window = form->header.window;
  // Reverting gives back the standard menu, which has the move command; the result is the
  // menu handle, not a success flag.
  GetSystemMenu(window, TRUE);
  if (form->settings.movable != 0) return;
  const HMENU menu = GetSystemMenu(window, FALSE);
  // A window without a system menu has no move command to take out.
  if (menu != nullptr) DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
}

// Makes the window topmost or not, by the always-on-top setting.
void applyTopmost(FormWindowUnit *form) {
  // Failing leaves the window in its band; nothing depends on it.
  SetWindowPos(form->header.window, form->settings.alwaysOnTop != 0 ? HWND_TOPMOST : HWND_NOTOPMOST,
               0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Puts the frame styles of the settings into the live window.
void applyFrame(FormWindowUnit *form) {
  const HWND window = form->header.window;
  DWORD style, exStyle;
  frameStyles(form, &style, &exStyle);
  const DWORD oldStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const DWORD oldExStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  // The style words of a live window of the run time's own class are always writable.
  SetWindowLongPtrA(window, GWL_STYLE,
                    static_cast<LONG_PTR>((oldStyle & ~kFrameStyleMask) | style));
  SetWindowLongPtrA(window, GWL_EXSTYLE,
                    static_cast<LONG_PTR>((oldExStyle & ~kFrameExStyleMask) | exStyle));
  // Only makes the frame change take effect; a failure leaves the old frame drawn.
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Frees what the window unit holds and the object itself.
void releaseForm(UnitHeader *unit) {
  FormWindowUnit *form = asForm(unit);
  releaseBlock(form->caption);
  releaseBlock(form->className);
  releaseBlock(form->helpFile);
  releaseBlock(form->backgroundPicture);
  releaseBlock(form->icon);
  releaseBlock(form->backgroundSound);
  releaseBlock(form);
}

// Copies the settings and the texts and byte data of the kind data into the unit.
void takeSettings(FormWindowUnit *form, const WindowSettings &settings) {
  form->settings = settings;
  const auto view = [](const ByteSpan &span) { return bytesValue(span.data, span.length); };
  storeText(&form->caption, view(settings.caption));
  storeText(&form->className, view(settings.className));
  storeText(&form->helpFile, view(settings.helpFile));
  storeBytes(&form->backgroundPicture, view(settings.backgroundPicture));
  storeBytes(&form->icon, view(settings.icon));
  storeBytes(&form->backgroundSound, view(settings.backgroundSound));
  WindowSettings &s = form->settings;
  s.caption = s.className = s.helpFile = ByteSpan{};
  s.backgroundPicture = s.icon = s.backgroundSound = ByteSpan{};
}

// Gives the new window unit, hidden, or null when its kind data cannot be read or its
// window not made.
UnitHeader *createForm(const UnitCreateArgs &args) {
  WindowSettings settings;
  if (!readWindowSettings(args.kindData, args.kindDataLength, &settings)) return nullptr;
  FormWindowUnit *form = static_cast<FormWindowUnit *>(allocateBlock(sizeof(FormWindowUnit)));
  *form = FormWindowUnit{};
  form->header = UnitHeader{&kFormWindowKind, args.windowId, args.unitId, nullptr};
  takeSettings(form, settings);
  const WindowSettings &s = form->settings;

  DWORD style, exStyle;
  frameStyles(form, &style, &exStyle);
  style |= WS_CLIPCHILDREN | args.styleBits;
  int32_t x = args.left;
  int32_t y = args.top;
  if (s.startPosition == 1) {
    x = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
  } else if (s.startPosition == 2) {
    style |= WS_MINIMIZE;
  } else if (s.startPosition == 3 && resizableFrame(s.borderStyle)) {
    style |= WS_MAXIMIZE;
  }
  const HWND owner =
      s.showInTaskbar == 0 ? static_cast<HWND>(g_runtime.hiddenOwnerWindow) : nullptr;
  const char *windowClass = formClass(form);
  const HWND window =
      windowClass == nullptr
          ? nullptr
          : CreateWindowExA(exStyle, windowClass, form->caption != nullptr ? form->caption : "",
                            style, x, y, args.width, args.height, owner, nullptr, runtimeInstance(),
                            form);
  if (window == nullptr) {
    releaseForm(&form->header);
    return nullptr;
  }

  RECT outer;
  if (GetWindowRect(window, &outer) &&
      (outer.right - outer.left != args.width || outer.bottom - outer.top != args.height))
    // The window exists and is hidden; a refused move leaves it at the size Windows chose.
    MoveWindow(window, x, y, args.width, args.height, TRUE);
  applyIcons(window);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  if (s.alwaysOnTop != 0) applyTopmost(form);
  if (s.movable == 0) applyMovable(form);
  return &form->header;
}

// Stores the value and applies what shows on the live window; never asks for re-creation.
bool changeForm(UnitHeader *unit, int32_t property, const KindValue &value) {
  FormWindowUnit *form = asForm(unit);
  if (const IntegerSetting *setting = findIntegerSetting(property)) {
    int32_t v = value.integer;
    if (setting->maximum != kNoClamp) v = clampChoice(v, setting->maximum);
    form->settings.*(setting->member) = v;
    switch (property) {
      case kBorderStyle:
      case kControlBox:
      case kMaximizeButton:
      case kMinimizeButton: applyFrame(form); break;
      case kMovable: applyMovable(form); break;
      case kAlwaysOnTop: applyTopmost(form); break;
      default: break;
    }
    return false;
  }
  switch (property) {
    case kCaption:
      storeText(&form->caption, value);
      // A live window's text can always be set.
      SetWindowTextA(unit->window, form->caption != nullptr ? form->caption : "");
      break;
    case kBackgroundColour:
      form->settings.backgroundColour = static_cast<uint32_t>(value.integer);
      // The next paint fills the client area in the new colour.
      InvalidateRect(unit->window, nullptr, FALSE);
      break;
    case kBackgroundPicture: storeBytes(&form->backgroundPicture, value); break;
    case kBackgroundSound: storeBytes(&form->backgroundSound, value); break;
    case kIcon: storeBytes(&form->icon, value); break;
    case kHelpFile: storeText(&form->helpFile, value); break;
    case kClassName: storeText(&form->className, value); break;
    default: break;
  }
  return false;
}

// Gives the stored setting.
KindValue formValue(UnitHeader *unit, int32_t property) {
  FormWindowUnit *form = asForm(unit);
  if (const IntegerSetting *setting = findIntegerSetting(property))
    return integerValue(form->settings.*(setting->member));
  switch (property) {
    case kCaption: return textValue(form->caption);
    case kBackgroundColour:
      return integerValue(static_cast<int32_t>(form->settings.backgroundColour));
    case kBackgroundPicture: return byteSetValue(form->backgroundPicture);
    case kBackgroundSound: return byteSetValue(form->backgroundSound);
    case kIcon: return byteSetValue(form->icon);
    case kHelpFile: return textValue(form->helpFile);
    case kClassName: return textValue(form->className);
    default: return noValue();
  }
}

}  // namespace

const UnitKindOps kFormWindowKind = {
    kKindWindow, kFormTypes, kFormPropertyCount, createForm, changeForm, formValue, nullptr,
    nullptr,     nullptr,    releaseForm};
