#include "ui/stream_reader.h"

// Gives the reader; a negative length reads as empty.
StreamReader makeStreamReader(const unsigned char *data, int32_t length) {
  if (length < 0 || data == nullptr) length = 0;
  return StreamReader{data, length, 0};
}

// Gives length - position, never negative.
int32_t remainingBytes(const StreamReader &reader) { return reader.length - reader.position; }

// Gives the word assembled from its bytes (no alignment assumed); false near the end.
bool readWord(StreamReader *reader, uint32_t *out) {
  if (remainingBytes(*reader) < 4) return false;
  const unsigned char *p = reader->data + reader->position;
  *out = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  reader->position += 4;
  return true;
}

// Gives the word as signed; false near the end.
bool readInt(StreamReader *reader, int32_t *out) {
  uint32_t word;
  if (!readWord(reader, &word)) return false;
  *out = static_cast<int32_t>(word);
  return true;
}

// Gives a pointer to the bytes; false for a negative count or one past the end.
bool readBytes(StreamReader *reader, int32_t count, const unsigned char **out) {
  if (count < 0 || count > remainingBytes(*reader)) return false;
  *out = count == 0 ? nullptr : reader->data + reader->position;
  reader->position += count;
  return true;
}

// Moves past the bytes; false for a negative count or one past the end.
bool skipBytes(StreamReader *reader, int32_t count) {
  const unsigned char *ignored;
  return readBytes(reader, count, &ignored);
}

// Gives the counted bytes; on failure the count is not consumed either.
bool readCounted(StreamReader *reader, const unsigned char **out, int32_t *count) {
  const int32_t start = reader->position;
  int32_t n;
  if (!readInt(reader, &n) || !readBytes(reader, n, out)) {
    reader->position = start;
    return false;
  }
  *count = n;
  return true;
}

// Gives the text and its length, moving past the zero; false when no zero is left.
bool readZeroEnded(StreamReader *reader, const char **out, int32_t *textLength) {
  for (int32_t i = reader->position; i < reader->length; ++i) {
    if (reader->data[i] != 0) continue;
    *out = reinterpret_cast<const char *>(reader->data + reader->position);
    *textLength = i - reader->position;
    reader->position = i + 1;
    return true;
  }
  return false;
}

// Gives a reader confined to the next count bytes; false when they run past the end.
bool readSubStream(StreamReader *reader, int32_t count, StreamReader *out) {
  const unsigned char *start;
  if (!readBytes(reader, count, &start)) return false;
  *out = StreamReader{start, count, 0};
  return true;
}

// Moves to the position; false when it is outside the block.
bool seekTo(StreamReader *reader, int32_t position) {
  if (position < 0 || position > reader->length) return false;
  reader->position = position;
  return true;
}
