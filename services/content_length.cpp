#include "services/content_length.h"

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

// Gives v + 1 (capped) for a positive leading decimal, else kDefaultChunkSize. The digits are
// summed only up to the cap, so a long run of digits cannot overflow.
int32_t chunkSizeFromContentLength(const char *headerText) {
  if (headerText == nullptr) return kDefaultChunkSize;
  const char *p = headerText;
  while (isBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int32_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (value < kLargestChunkSize) value = value * 10 + (*p - '0');
  }
  if (negative || value <= 0) return kDefaultChunkSize;
  return value >= kLargestChunkSize ? kLargestChunkSize : value + 1;
}
