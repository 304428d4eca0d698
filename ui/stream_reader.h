// A bounded reader over a byte block: every read checks the bounds first and moves on only
// when it succeeds, so a failed read leaves the position where it was.
#pragma once
#include <cstdint>

struct StreamReader {
  const unsigned char *data;
  int32_t length;    // never negative
  int32_t position;  // 0 <= position <= length
};

// A reader over length bytes at data; a negative length gives an empty reader.
StreamReader makeStreamReader(const unsigned char *data, int32_t length);
// The bytes not read yet.
int32_t remainingBytes(const StreamReader &reader);

// A 32-bit little-endian word; false when fewer than 4 bytes are left.
bool readWord(StreamReader *reader, uint32_t *out);
bool readInt(StreamReader *reader, int32_t *out);
// Gives the next count bytes in place (null for 0); false when count is negative or too big.
bool readBytes(StreamReader *reader, int32_t count, const unsigned char **out);
// Passes over count bytes; false when count is negative or too big.
bool skipBytes(StreamReader *reader, int32_t count);
// A 32-bit count, then that many bytes given in place; false when either does not fit.
bool readCounted(StreamReader *reader, const unsigned char **out, int32_t *count);
// A zero-ended text given in place and its length without the zero; false without a zero.
bool readZeroEnded(StreamReader *reader, const char **out, int32_t *textLength);
// A reader over the next count bytes, which this reader passes over; false when they are not
// all there.
bool readSubStream(StreamReader *reader, int32_t count, StreamReader *out);
// Moves to position; false (and stays) when it is outside 0..length.
bool seekTo(StreamReader *reader, int32_t position);
