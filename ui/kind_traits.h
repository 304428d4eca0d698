// What the run time needs to know of each unit kind apart from its Windows operations.
#pragma once
#include <cstdint>

struct KindTraits {
  uint32_t kind;
  bool raisesEvents;
  bool neverShown;      // stays hidden at run time whatever its visible flag says
  bool takesMnemonics;  // Alt with the character its caption marks with "&" clicks it
};

// The traits of a kind code, or null for a kind the run time does not know.
const KindTraits *findKindTraits(uint32_t kind);
