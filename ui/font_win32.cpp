#include <cstring>

#include "ui/property_types.h"
#include "ui/unit_font.h"

static_assert(sizeof(LOGFONTA) == kFontDataLength, "font data is a LOGFONTA");

namespace {

UnitFont stockFont() {
  return UnitFont{static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), false};
}

}  // namespace

// Gives the created font, or the stock GUI font.
UnitFont makeUnitFont(const unsigned char *data, int32_t length) {
  if (data == nullptr || length != kFontDataLength) return stockFont();
  LOGFONTA description;
  std::memcpy(&description, data, sizeof description);
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = PROOF_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH;
  HFONT font = CreateFontIndirectA(&description);
  if (font == nullptr) return stockFont();
  return UnitFont{font, true};
}

// Deletes an owned font and leaves the slot with the stock font.
void releaseUnitFont(UnitFont *font) {
  // A font that is selected nowhere is always deleted; there is nothing to do if not.
  if (font->owned) DeleteObject(font->font);
  *font = stockFont();
}

// Fills out with the stock font's LOGFONTA.
void describeDefaultGuiFont(unsigned char *out) {
  LOGFONTA description = {};
  if (GetObjectA(stockFont().font, sizeof description, &description) != sizeof description)
    std::memset(&description, 0, sizeof description);
  std::memcpy(out, &description, sizeof description);
}
