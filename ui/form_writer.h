// A stream writer into a caller's buffer, for the stored form of the form description.
// Once a write does not fit, the writer is failed and every later write does nothing.
#pragma once
#include <cstdint>

struct FormWriter {
  unsigned char *data;
  int32_t capacity;
  int32_t length;  // bytes written so far
  bool failed;     // a write did not fit
};

// A writer at the start of capacity bytes at data.
FormWriter makeFormWriter(unsigned char *data, int32_t capacity);

// A 32-bit little-endian word.
void writeWord(FormWriter *writer, uint32_t value);
void writeInt(FormWriter *writer, int32_t value);
// count bytes as they are; count zero bytes.
void writeBytes(FormWriter *writer, const void *bytes, int32_t count);
void writeZeros(FormWriter *writer, int32_t count);
// A 32-bit count, then the bytes.
void writeCounted(FormWriter *writer, const void *bytes, int32_t count);
// The text's bytes and one zero byte.
void writeZeroEnded(FormWriter *writer, const char *text);
// Overwrites the word written earlier at position (a length or offset known only later);
// nothing when the word is not inside what was written.
void patchWord(FormWriter *writer, int32_t position, uint32_t value);
