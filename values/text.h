// Texts: zero-terminated code page 936 byte strings in heap blocks of exactly length + 1 bytes.
// Null, emptyText and a block holding only the terminator are all the empty text.
#pragma once
#include <cstdint>

using Text = char *;

int32_t textLength(const char *t);
Text joinTexts(int32_t count, ...);  // count >= 1, then that many `const char *`
Text copyText(const char *t);
Text textFromBytes(const void *src, int32_t n);
Text textFromString(const char *src);
Text textLeft(const char *t, int32_t n);
Text textMiddle(const char *t, int32_t start, int32_t n);
