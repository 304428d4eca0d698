#include "ui/kind_traits.h"

#include "ui/form_model.h"

namespace {

constexpr KindTraits kTraits[] = {
    {kKindWindow, true, false, false},
    {kKindLabel, true, false, false},
    {kKindButton, true, false, true},
    {kKindTimer, true, true, false},
};

}  // namespace

// Gives the kind's entry, null when it is not one of the four.
const KindTraits *findKindTraits(uint32_t kind) {
  for (const KindTraits &traits : kTraits)
    if (traits.kind == kind) return &traits;
  return nullptr;
}
