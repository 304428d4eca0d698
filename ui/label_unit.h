// LabelUnit: a static text drawn by the run time, with its own copy of its caption.
#pragma once
#include "ui/kind_settings.h"
#include "ui/unit_font.h"
#include "ui/unit_kinds.h"
#include "values/byte_set.h"
#include "values/text.h"

struct LabelUnit {
  UnitHeader header;
  LabelSettings settings;  // the scalar settings; the spans are replaced by the copies below
  Text caption;
  ByteSet fontData;
  ByteSet picture;  // kept and given back; not drawn
  Text bindingTexts[2];
  UnitFont font;
};

// Paints the label in answer to WM_PAINT.
void paintLabel(LabelUnit *label);
