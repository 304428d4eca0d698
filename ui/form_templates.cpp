#include "ui/form_templates.h"

#include "ui/form_model.h"
#include "values/block.h"

// Releases each record's copies and drops every window and record.
void clearFormTemplates(FormTemplates *templates) {
  if (templates == nullptr) return;
  for (int32_t w = 0; w < templates->windowCount; ++w) {
    WindowTemplate &window = templates->windows[w];
    for (int32_t u = 0; u < window.unitCount; ++u) {
      UnitRecord &unit = window.units[u];
      releaseBlock(unit.tag);
      releaseBlock(unit.cursorData);
      unit.tag = nullptr;
      unit.cursorData = nullptr;
      unit.cursorDataLength = 0;
    }
    window.unitCount = 0;
  }
  templates->windowCount = 0;
}

// Clears, then frees the block.
void discardFormTemplates(FormTemplates *templates) {
  clearFormTemplates(templates);
  releaseBlock(templates);
}
