#include "values/byte_set.h"

#include <cstring>

#include "values/block.h"
#include "values/constants.h"
#include "values/text.h"

// Gives the new byte set; null when there is nothing to hold. A negative count is read as
// no bytes rather than as a block smaller than its header.
ByteSet byteSetFromBytes(const void *src, int32_t n) {
  if (n <= 0 || src == nullptr) return nullptr;
  void *block = allocateWideBlock(int64_t{n} + static_cast<int64_t>(sizeof(ByteSetHeader)));
  ByteSet bs = static_cast<ByteSet>(block);
  bs->headerWord = 1;
  bs->length = n;
  std::memcpy(static_cast<unsigned char *>(block) + sizeof(ByteSetHeader), src,
              static_cast<size_t>(n));
  return bs;
}

// Gives the text up to the first zero byte; null when it would be empty.
char *bytesToText(const ByteSetHeader *bs) {
  if (bs == nullptr) bs = emptyByteSet;
  const int32_t n = bs->length;
  if (n <= 0) return nullptr;
  const unsigned char *bytes = byteSetBytes(bs);
  const void *zero = std::memchr(bytes, 0, static_cast<size_t>(n));
  const int32_t z = zero == nullptr ? n : static_cast<int32_t>(static_cast<const unsigned char *>(zero) - bytes);
  return textFromBytes(bytes, z);
}
