#include "ui/form_writer.h"

#include <cstring>

namespace {

// Stores the word's bytes, low byte first, at p.
void storeWord(unsigned char *p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

// Gives the place for count more bytes and moves on, or null (and fails) when they don't fit.
unsigned char *reserve(FormWriter *writer, int32_t count) {
  if (writer->failed || count < 0 || count > writer->capacity - writer->length) {
    writer->failed = true;
    return nullptr;
  }
  unsigned char *place = writer->data + writer->length;
  writer->length += count;
  return place;
}

}  // namespace

// Gives an empty writer; a negative capacity fits nothing.
FormWriter makeFormWriter(unsigned char *data, int32_t capacity) {
  if (capacity < 0 || data == nullptr) capacity = 0;
  return FormWriter{data, capacity, 0, false};
}

// Appends the word, or fails the writer.
void writeWord(FormWriter *writer, uint32_t value) {
  if (unsigned char *p = reserve(writer, 4)) storeWord(p, value);
}

// Appends the signed word in two's complement, or fails the writer.
void writeInt(FormWriter *writer, int32_t value) {
  writeWord(writer, static_cast<uint32_t>(value));
}

// Appends the bytes, or fails the writer.
void writeBytes(FormWriter *writer, const void *bytes, int32_t count) {
  unsigned char *p = reserve(writer, count);
  if (p != nullptr && count > 0) std::memcpy(p, bytes, static_cast<size_t>(count));
}

// Appends count zero bytes, or fails the writer.
void writeZeros(FormWriter *writer, int32_t count) {
  unsigned char *p = reserve(writer, count);
  if (p != nullptr && count > 0) std::memset(p, 0, static_cast<size_t>(count));
}

// Appends the count and the bytes, or fails the writer.
void writeCounted(FormWriter *writer, const void *bytes, int32_t count) {
  writeInt(writer, count);
  writeBytes(writer, bytes, count);
}

// Appends the text and its terminator, or fails the writer.
void writeZeroEnded(FormWriter *writer, const char *text) {
  writeBytes(writer, text, static_cast<int32_t>(std::strlen(text)) + 1);
}

// Replaces the word at position, inside what was already written.
void patchWord(FormWriter *writer, int32_t position, uint32_t value) {
  if (writer->failed || position < 0 || position > writer->length - 4) return;
  storeWord(writer->data + position, value);
}
