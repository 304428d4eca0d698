// The paint of a label: frame, background, then the caption.
#include "ui/label_unit.h"
#include "values/block.h"

namespace {

constexpr int32_t kMaxStops = 3;

// The colour to draw for a setting; the default stands for the button face.
COLORREF drawnColour(uint32_t colour) {
  return colour == kDefaultColour ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

// Copies the colours other than the default into stops; gives their number.
int32_t gradientStops(const uint32_t *colours, COLORREF *stops) {
  int32_t count = 0;
  for (int32_t i = 0; i < kMaxStops; ++i)
    if (colours[i] != kDefaultColour) stops[count++] = static_cast<COLORREF>(colours[i]);
  return count;
}

TRIVERTEX vertex(LONG x, LONG y, COLORREF colour) {
  TRIVERTEX v;
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(GetRValue(colour) << 8);
  v.Green = static_cast<COLOR16>(GetGValue(colour) << 8);
  v.Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
  v.Alpha = 0;
  return v;
}

// Fills box with a gradient through the stops, across (vertical) or along it, in even steps;
// reverse runs it from the last stop to the first.
void fillGradient(HDC dc, const RECT &box, const COLORREF *stops, int32_t count, bool vertical,
                  bool reverse) {
  const LONG span = vertical ? box.bottom - box.top : box.right - box.left;
  for (int32_t i = 0; i + 1 < count; ++i) {
    const LONG from = span * i / (count - 1);
    const LONG to = span * (i + 1) / (count - 1);
    const COLORREF a = stops[reverse ? count - 1 - i : i];
    const COLORREF b = stops[reverse ? count - 2 - i : i + 1];
    TRIVERTEX corners[2];
    if (vertical) {
      corners[0] = vertex(box.left, box.top + from, a);
      corners[1] = vertex(box.right, box.top + to, b);
    } else {
      corners[0] = vertex(box.left + from, box.top, a);
      corners[1] = vertex(box.left + to, box.bottom, b);
    }
    GRADIENT_RECT mesh = {0, 1};
    // A band that cannot be drawn leaves the background as it was; nothing else depends on it.
    GradientFill(dc, corners, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
  }
}

// Draws the gradient frame, its first colour outside, its last at the inner edge.
void drawGradientFrame(HDC dc, const RECT &r, LONG width, const COLORREF *stops, int32_t count) {
  const RECT top = {r.left, r.top, r.right, r.top + width};
  const RECT bottom = {r.left, r.bottom - width, r.right, r.bottom};
  const RECT left = {r.left, r.top, r.left + width, r.bottom};
  const RECT right = {r.right - width, r.top, r.right, r.bottom};
  fillGradient(dc, top, stops, count, true, false);
  fillGradient(dc, bottom, stops, count, true, true);
  fillGradient(dc, left, stops, count, false, false);
  fillGradient(dc, right, stops, count, false, true);
}

// Fills the clip area with the background: a gradient when one is chosen and has two
// colours (odd modes run left to right, even ones top to bottom), else the colour.
// A background picture is kept by the label but not drawn.
void paintBackground(HDC dc, const LabelUnit *label, const RECT &r, HRGN clip) {
  const LabelSettings &s = label->settings;
  COLORREF stops[kMaxStops];
  const int32_t count = gradientStops(s.gradientBackgroundColours, stops);
  if (s.gradientBackground > 0 && count >= 2) {
    fillGradient(dc, r, stops, count, s.gradientBackground % 2 == 0, false);
    return;
  }
  const HBRUSH brush = CreateSolidBrush(drawnColour(s.backgroundColour));
  // Without a brush the background stays unpainted this time; the next paint tries again.
  if (brush == nullptr) return;
  FillRgn(dc, clip, brush);
  DeleteObject(brush);
}

// The DrawText format of the alignment settings.
UINT textFormat(const LabelSettings &s) {
  UINT format = DT_NOCLIP;
  if (s.horizontalAlignment == 1)
    format |= DT_CENTER;
  else if (s.horizontalAlignment == 2)
    format |= DT_RIGHT;
  else
    format |= DT_LEFT;
  if (s.wordWrap != 0) return format | DT_WORDBREAK | DT_VCENTER;
  format |= DT_SINGLELINE;
  if (s.verticalAlignment == 1)
    format |= DT_VCENTER;
  else if (s.verticalAlignment == 2)
    format |= DT_BOTTOM;
  return format;
}

void drawTextAt(HDC dc, const char *text, int32_t length, RECT box, LONG dx, LONG dy,
                COLORREF colour, UINT format) {
  OffsetRect(&box, dx, dy);
  SetTextColor(dc, colour);
  // A text that cannot be drawn shows as the background; there is no other way to tell.
  DrawTextA(dc, text, length, &box, format);
}

// Draws the window text with its effect, in the clip area.
void paintCaption(HDC dc, LabelUnit *label, RECT r) {
  const HWND window = label->header.window;
  const int32_t length = GetWindowTextLengthA(window);
  if (length <= 0) return;
  char *text = static_cast<char *>(allocateBlock(length + 1));
  const int32_t got = GetWindowTextA(window, text, length + 1);
  if (got > 0) {
    const LabelSettings &s = label->settings;
    const HGDIOBJ oldFont = SelectObject(dc, label->font.font);
    const UINT format = textFormat(s);
    SetBkMode(dc, TRANSPARENT);
    const COLORREF white = RGB(255, 255, 255);
    if (s.textEffect == 1) drawTextAt(dc, text, got, r, 1, 1, white, format);
    if (s.textEffect == 2) {
      drawTextAt(dc, text, got, r, 0, 0, white, format);
      OffsetRect(&r, 1, 1);
    }
    if (s.textEffect == 3) drawTextAt(dc, text, got, r, 2, 2, RGB(0, 0, 0), format);
    drawTextAt(dc, text, got, r, 0, 0, drawnColour(s.textColour), format);
    SelectObject(dc, oldFont);
  }
  releaseBlock(text);
}

}  // namespace

// Paints the update area: frame, clip to the inner box, background, caption.
void paintLabel(LabelUnit *label) {
  const HWND window = label->header.window;
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  RECT r;
  if (!IsRectEmpty(&paint.rcPaint) && GetClientRect(window, &r)) {
    const LabelSettings &s = label->settings;
    COLORREF stops[kMaxStops];
    const int32_t count = gradientStops(s.gradientBorderColours, stops);
    if (s.borderStyle == 6 && s.gradientBorderWidth > 0 && count >= 2) {
      drawGradientFrame(dc, r, s.gradientBorderWidth, stops, count);
      InflateRect(&r, -s.gradientBorderWidth, -s.gradientBorderWidth);
    }
    RECT area;
    if (IntersectRect(&area, &r, &paint.rcPaint)) {
      const HRGN clip = CreateRectRgnIndirect(&area);
      if (clip != nullptr) {
        SelectClipRgn(dc, clip);
        paintBackground(dc, label, r, clip);
        paintCaption(dc, label, r);
        DeleteObject(clip);
      }
    }
  }
  EndPaint(window, &paint);
}
