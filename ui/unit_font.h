// The font of a label or button, made from its font data.
#pragma once
#include <windows.h>

#include <cstdint>

struct UnitFont {
  HFONT font;
  bool owned;  // created for the unit, so deleted with it; else the stock GUI font
};

// The font of the data when it is a 60-byte LOGFONTA, with character set, precisions,
// quality and pitch set to their defaults; DEFAULT_GUI_FONT without such data or when the
// font cannot be created.
UnitFont makeUnitFont(const unsigned char *data, int32_t length);
// Deletes the font when the unit created it, and leaves the stock font.
void releaseUnitFont(UnitFont *font);
// Writes the LOGFONTA of DEFAULT_GUI_FONT (60 bytes) into out; zeros when it cannot be read.
void describeDefaultGuiFont(unsigned char *out);
