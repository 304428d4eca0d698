// Texts: zero-terminated code page 936 byte strings in heap blocks of exactly length + 1 bytes.
// Null, emptyText and a block holding only the terminator are all the empty text.
// Every result is a new block the caller holds; arguments are only read.
#pragma once
#include <cstdint>

using Text = char *;

// The number of bytes before the terminator; 0 for null.
int32_t textLength(const char *t);
// count >= 1, then that many `const char *` (null reads as empty): the texts one after
// another in one new block, never null (a one-byte block when all are empty).
Text joinTexts(int32_t count, ...);
// A new block with the same bytes, even for an allocated empty text; null for null.
Text copyText(const char *t);
// The n bytes as they are (zero bytes included) and a terminator; null when n < 1.
Text textFromBytes(const void *src, int32_t n);
// The bytes up to the terminator; null when src is null or empty.
Text textFromString(const char *src);
// The first n bytes, or the whole text when shorter; null when n <= 0 or the text is empty.
Text textLeft(const char *t, int32_t n);
// n bytes from the 1-based start, or those that remain; null when start lies outside the
// text or n <= 0.
Text textMiddle(const char *t, int32_t start, int32_t n);
