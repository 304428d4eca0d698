#include "values/full_width.h"

namespace {

// The single byte a double-byte character folds to, or 0 when it stays as it is.
unsigned char foldedByte(unsigned char lead, unsigned char trail) {
  // Row A3 holds the full-width forms of 0x21..0x7E at trail bytes A1..FE, 0x80 above them.
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<unsigned char>(trail - 0x80);
  if (lead == 0xA1) {
    if (trail == 0xA1) return ' ';                   // 　 ideographic space
    if (trail == 0xAB) return '~';                   // ～
    if (trail == 0xEE || trail == 0xEF) return '*';  // ★ ☆
  }
  return 0;
}

}  // namespace

// Gives the folded length; every step writes at most the bytes it reads, so out never
// needs more room than the text itself.
int32_t foldFullWidth(const char *text, char *out) {
  const unsigned char *in = reinterpret_cast<const unsigned char *>(text);
  int32_t written = 0;
  while (*in != 0) {
    if (*in < 0x80) {
      out[written++] = static_cast<char>(*in++);
      continue;
    }
    // A lead byte pairs with the byte after it; the terminator is never taken as a trail.
    if (in[1] == 0) break;
    const unsigned char folded = foldedByte(in[0], in[1]);
    if (folded != 0) {
      out[written++] = static_cast<char>(folded);
    } else {
      out[written++] = static_cast<char>(in[0]);
      out[written++] = static_cast<char>(in[1]);
    }
    in += 2;
  }
  out[written] = '\0';
  return written;
}
