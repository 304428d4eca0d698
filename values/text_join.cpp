#include <cstdarg>
#include <cstring>

#include "values/block.h"
#include "values/text.h"

namespace {

// Joins of up to this many texts keep their lengths on the stack; the program joins 12.
constexpr int32_t kStackLengths = 16;

}  // namespace

// Gives the texts one after another in one new block of exactly the summed length + 1;
// never null. A count below 1 gives the one-byte empty block.
Text joinTexts(int32_t count, ...) {
  int32_t stackLengths[kStackLengths];
  int32_t *lengths = stackLengths;
  if (count > kStackLengths)
    lengths = static_cast<int32_t *>(allocateWideBlock(int64_t{count} * sizeof(int32_t)));

  // First pass: measure each text once; the sum is kept in 64 bits so that it cannot wrap.
  va_list texts;
  va_start(texts, count);
  va_list again;
  va_copy(again, texts);
  int64_t total = 0;
  for (int32_t i = 0; i < count; ++i) {
    lengths[i] = textLength(va_arg(texts, const char *));
    total += lengths[i];
  }
  va_end(texts);

  // Second pass: copy by the measured lengths.
  Text joined = static_cast<Text>(allocateWideBlock(total + 1));
  char *end = joined;
  for (int32_t i = 0; i < count; ++i) {
    const char *t = va_arg(again, const char *);
    if (lengths[i] > 0) std::memcpy(end, t, static_cast<size_t>(lengths[i]));
    end += lengths[i];
  }
  va_end(again);
  *end = '\0';

  if (lengths != stackLengths) releaseBlock(lengths);
  return joined;
}
