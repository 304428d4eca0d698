// LabelUnit: creation, its properties and its window procedure.
#include "ui/form_model.h"
#include "ui/label_unit.h"
#include "ui/unit_cursor.h"
#include "ui/value_slots.h"
#include "values/block.h"

namespace {

constexpr char kLabelClass[] = "TimecalLabel";
constexpr int32_t kMinimumGradientBorder = 5;

enum LabelProperty : int32_t {
  kCaption,
  kTextEffect,
  kBorderStyle,
  kGradientBorderWidth,
  kGradientBorderColour1,
  kGradientBorderColour2,
  kGradientBorderColour3,
  kFont,
  kTextColour,
  kBackgroundColour,
  kPicture,
  kPictureMode,
  kGradientBackground,
  kGradientBackgroundColour1,
  kGradientBackgroundColour2,
  kGradientBackgroundColour3,
  kHorizontalAlignment,
  kWordWrap,
  kVerticalAlignment,
  kBindingText1,
  kBindingText2,
  kLabelPropertyCount
};

constexpr int32_t kLabelTypes[kLabelPropertyCount] = {
    kTypeText,        kTypeChoice, kTypeChoice,  kTypeInteger,    kTypeColour,
    kTypeColour,      kTypeColour, kTypeFont,    kTypeTextColour, kTypeBackgroundColour,
    kTypePicture,     kTypeChoice, kTypeChoice,  kTypeColour,     kTypeColour,
    kTypeColour,      kTypeChoice, kTypeBoolean, kTypeChoice,     kTypeBindingText,
    kTypeBindingField};

LabelUnit *asLabel(UnitHeader *unit) { return reinterpret_cast<LabelUnit *>(unit); }

// Sets the frame styles of the border style (1-5) and clears the others.
void applyLabelFrame(LabelUnit *label) {
  const HWND window = label->header.window;
  DWORD edges = 0;
  DWORD border = 0;
  switch (label->settings.borderStyle) {
    case 1: edges = WS_EX_CLIENTEDGE; break;
    case 2: edges = WS_EX_DLGMODALFRAME; break;
    case 3: edges = WS_EX_STATICEDGE; break;
    case 4: edges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: border = WS_BORDER; break;
    default: break;
  }
  const DWORD edgeMask = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  const DWORD oldExStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  const DWORD oldStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const DWORD exStyle = (oldExStyle & ~edgeMask) | edges;
  const DWORD style = (oldStyle & ~static_cast<DWORD>(WS_BORDER)) | border;
  if (exStyle == oldExStyle && style == oldStyle) return;
  // Style words of a live window of the run time's own class are always writable.
  SetWindowLongPtrA(window, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
  SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(style));
  // Only makes the frame change take effect; a failure leaves the old frame drawn.
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Schedules a repaint of the whole label without erasing; its paint fills the background.
void invalidateLabel(LabelUnit *label) {
  // A label whose window is gone has nothing to repaint.
  InvalidateRect(label->header.window, nullptr, FALSE);
}

// Frees what the label holds and the object itself.
void releaseLabel(UnitHeader *unit) {
  LabelUnit *label = asLabel(unit);
  releaseBlock(label->caption);
  releaseBlock(label->fontData);
  releaseBlock(label->picture);
  releaseBlock(label->bindingTexts[0]);
  releaseBlock(label->bindingTexts[1]);
  releaseUnitFont(&label->font);
  releaseBlock(label);
}

LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Gives the new label, or null when its kind data cannot be read or its window not made.
UnitHeader *createLabel(const UnitCreateArgs &args) {
  LabelSettings settings;
  if (!readLabelSettings(args.kindData, args.kindDataLength, &settings)) return nullptr;
  if (!registerRuntimeClass(kLabelClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, labelProcedure))
    return nullptr;
  LabelUnit *label = static_cast<LabelUnit *>(allocateBlock(sizeof(LabelUnit)));
  *label = LabelUnit{};
  label->header = UnitHeader{&kLabelKind, args.windowId, args.unitId, nullptr};
  label->settings = settings;
  storeText(&label->caption, bytesValue(settings.caption.data, settings.caption.length));
  storeBytes(&label->fontData, bytesValue(settings.font.data, settings.font.length));
  storeBytes(&label->picture, bytesValue(settings.picture.data, settings.picture.length));
  storeText(&label->bindingTexts[0],
            bytesValue(settings.bindingText1.data, settings.bindingText1.length));
  storeText(&label->bindingTexts[1],
            bytesValue(settings.bindingText2.data, settings.bindingText2.length));
  label->settings.caption = label->settings.font = label->settings.picture = ByteSpan{};
  label->settings.bindingText1 = label->settings.bindingText2 = ByteSpan{};
  const KindValue font = byteSetValue(label->fontData);
  label->font = makeUnitFont(font.bytes, font.length);

  const HWND window = CreateWindowExA(
      0, kLabelClass, label->caption != nullptr ? label->caption : "",
      args.styleBits | WS_CHILD | WS_CLIPSIBLINGS, args.left, args.top, args.width, args.height,
      args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.childId)), runtimeInstance(),
      label);
  if (window == nullptr) {
    releaseLabel(&label->header);
    return nullptr;
  }
  applyLabelFrame(label);
  return &label->header;
}

// Stores a colour setting.
void storeColour(uint32_t *slot, const KindValue &value) {
  *slot = static_cast<uint32_t>(value.integer);
}

// Stores the value; a label never asks to be re-created.
bool changeLabel(UnitHeader *unit, int32_t property, const KindValue &value) {
  LabelUnit *label = asLabel(unit);
  LabelSettings &s = label->settings;
  switch (property) {
    case kCaption:
      storeText(&label->caption, value);
      // The window text is what the paint draws; a live label's text can always be set.
      SetWindowTextA(unit->window, label->caption != nullptr ? label->caption : "");
      break;
    case kTextEffect: s.textEffect = clampChoice(value.integer, 3); break;
    case kBorderStyle:
      s.borderStyle = clampChoice(value.integer, 6);
      applyLabelFrame(label);
      break;
    case kGradientBorderWidth:
      s.gradientBorderWidth =
          value.integer < kMinimumGradientBorder ? kMinimumGradientBorder : value.integer;
      break;
    case kGradientBorderColour1:
    case kGradientBorderColour2:
    case kGradientBorderColour3:
      storeColour(&s.gradientBorderColours[property - kGradientBorderColour1], value);
      break;
    case kFont: {
      storeBytes(&label->fontData, value);
      const KindValue font = byteSetValue(label->fontData);
      releaseUnitFont(&label->font);
      label->font = makeUnitFont(font.bytes, font.length);
      break;
    }
    case kTextColour: storeColour(&s.textColour, value); break;
    case kBackgroundColour: storeColour(&s.backgroundColour, value); break;
    case kPicture: storeBytes(&label->picture, value); break;
    case kPictureMode: s.pictureMode = clampChoice(value.integer, 2); break;
    case kGradientBackground: s.gradientBackground = clampChoice(value.integer, 8); break;
    case kGradientBackgroundColour1:
    case kGradientBackgroundColour2:
    case kGradientBackgroundColour3:
      storeColour(&s.gradientBackgroundColours[property - kGradientBackgroundColour1], value);
      break;
    case kHorizontalAlignment: s.horizontalAlignment = clampChoice(value.integer, 2); break;
    case kWordWrap: s.wordWrap = value.integer; break;
    case kVerticalAlignment: s.verticalAlignment = clampChoice(value.integer, 2); break;
    case kBindingText1:
    case kBindingText2: storeText(&label->bindingTexts[property - kBindingText1], value); break;
    default: return false;
  }
  invalidateLabel(label);
  return false;
}

// Gives the stored setting.
KindValue labelValue(UnitHeader *unit, int32_t property) {
  LabelUnit *label = asLabel(unit);
  const LabelSettings &s = label->settings;
  const auto colour = [](uint32_t c) { return integerValue(static_cast<int32_t>(c)); };
  switch (property) {
    case kCaption: return textValue(label->caption);
    case kTextEffect: return integerValue(s.textEffect);
    case kBorderStyle: return integerValue(s.borderStyle);
    case kGradientBorderWidth: return integerValue(s.gradientBorderWidth);
    case kGradientBorderColour1:
    case kGradientBorderColour2:
    case kGradientBorderColour3:
      return colour(s.gradientBorderColours[property - kGradientBorderColour1]);
    case kFont: return byteSetValue(label->fontData);
    case kTextColour: return colour(s.textColour);
    case kBackgroundColour: return colour(s.backgroundColour);
    case kPicture: return byteSetValue(label->picture);
    case kPictureMode: return integerValue(s.pictureMode);
    case kGradientBackground: return integerValue(s.gradientBackground);
    case kGradientBackgroundColour1:
    case kGradientBackgroundColour2:
    case kGradientBackgroundColour3:
      return colour(s.gradientBackgroundColours[property - kGradientBackgroundColour1]);
    case kHorizontalAlignment: return integerValue(s.horizontalAlignment);
    case kWordWrap: return integerValue(s.wordWrap);
    case kVerticalAlignment: return integerValue(s.verticalAlignment);
    case kBindingText1:
    case kBindingText2: return textValue(label->bindingTexts[property - kBindingText1]);
    default: return noValue();
  }
}

// Serves the label's messages, one routine each.
LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: bindUnitWindow(window, lParam); break;
    case WM_PAINT:
      if (UnitHeader *unit = unitOfWindow(window)) {
        paintLabel(asLabel(unit));
        return 0;
      }
      break;
    case WM_ERASEBKGND: return 1;  // the paint fills the background itself
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && showUnitCursor(unitOfWindow(window))) return TRUE;
      break;
    case WM_NCDESTROY:
      if (UnitHeader *unit = unitOfWindow(window)) unit->window = nullptr;
      break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

const UnitKindOps kLabelKind = {
    kKindLabel, kLabelTypes, kLabelPropertyCount, createLabel, changeLabel, labelValue, nullptr,
    nullptr,    nullptr,     releaseLabel};
