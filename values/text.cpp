#include "values/text.h"

#include <cstring>

#include "values/block.h"

// Gives the length in bytes; 0 for null.
int32_t textLength(const char *t) {
  if (t == nullptr) return 0;
  return static_cast<int32_t>(std::strlen(t));
}

// Gives a copy of the text in a block of its own; null for null.
Text copyText(const char *t) {
  if (t == nullptr) return nullptr;
  const int32_t length = textLength(t);
  Text copy = static_cast<Text>(allocateWideBlock(int64_t{length} + 1));
  std::memcpy(copy, t, static_cast<size_t>(length) + 1);
  return copy;
}

// Gives the n bytes and a terminator; null when n < 1 or there are no bytes to read.
Text textFromBytes(const void *src, int32_t n) {
  if (n < 1 || src == nullptr) return nullptr;
  Text text = static_cast<Text>(allocateWideBlock(int64_t{n} + 1));
  std::memcpy(text, src, static_cast<size_t>(n));
  text[n] = '\0';
  return text;
}

// Gives a copy of the string; null when it is null or empty.
Text textFromString(const char *src) {
  if (src == nullptr || src[0] == '\0') return nullptr;
  return copyText(src);
}

// Gives the first min(n, length) bytes; null when that is none.
Text textLeft(const char *t, int32_t n) {
  if (n <= 0) return nullptr;
  const int32_t length = textLength(t);
  return textFromBytes(t, n < length ? n : length);
}

// Gives the bytes from start (1-based) on, at most n of them; null when none are chosen.
Text textMiddle(const char *t, int32_t start, int32_t n) {
  const int32_t length = textLength(t);
  // start is tested before 1 is taken from it, and n against what remains rather than
  // p + n against the length, so neither INT32_MIN nor INT32_MAX can overflow.
  if (start < 1 || n <= 0) return nullptr;
  const int32_t p = start - 1;
  if (p >= length) return nullptr;
  const int32_t remaining = length - p;
  return textFromBytes(t + p, n <= remaining ? n : remaining);
}
