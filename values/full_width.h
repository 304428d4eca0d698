// Folding of code page 936 full-width forms into their ASCII counterparts.
#pragma once
#include <cstdint>

// Writes text into out with full-width ASCII forms (A3 A1..A3 FE), the ideographic space,
// the full-width tilde and the two star signs folded to single bytes; other double-byte
// characters are kept, a lead byte with nothing after it is dropped. out needs room for
// textLength(text) + 1 bytes. Gives the length written (before the terminator).
int32_t foldFullWidth(const char *text, char *out);
