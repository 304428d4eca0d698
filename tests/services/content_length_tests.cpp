#include "services/content_length.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

struct ChunkCase {
  const char *header;  // null: the header is missing or did not fit its buffer
  int32_t chunkSize;
};

// The chunk size is one more than the announced length, so the whole body arrives in one read
// and the next read reports the end.
const ChunkCase kAnnounced[] = {
    {"19", 20},         {"1", 2},           {"+19", 20},       {"0019", 20},
    {"  \t19", 20},     {"\r\n 19", 20},    {"19abc", 20},     {"19 ", 20},
    {"1 9", 2},         {"19.5", 20},       {"102398", 102399}, {"102399", 102400},
};

// Past the largest read, however the number is written; long digit runs must not wrap.
const ChunkCase kCapped[] = {
    {"102400", 102400},
    {"200000", 102400},
    {"4294967315", 102400},  // 2^32 + 19: a wrapping sum would give 20
    {"2147483648", 102400},  // 2^31: a wrapping sum would be negative
    {"99999999999999999999999999999", 102400},
    {"000000000000000000000000000102400", 102400},
};

// No usable length: missing, not a number, zero or negative.
const ChunkCase kUnusable[] = {
    {nullptr, 10240}, {"", 10240},   {"   ", 10240}, {"abc", 10240}, {"0", 10240},
    {"-0", 10240},    {"-5", 10240}, {"-200000", 10240},           {"--5", 10240},
    {"+-5", 10240},   {"- 5", 10240}, {"+", 10240}, {"x19", 10240},
};

void expectChunkSizes(const ChunkCase *cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const char *header = cases[i].header;
    EXPECT_EQ(chunkSizeFromContentLength(header), cases[i].chunkSize)
        << "header \"" << (header ? header : "(missing)") << "\"";
  }
}

TEST(ChunkSize, AnnouncedLengthPlusOne) { expectChunkSizes(kAnnounced, std::size(kAnnounced)); }

TEST(ChunkSize, CappedAtLargestRead) { expectChunkSizes(kCapped, std::size(kCapped)); }

TEST(ChunkSize, DefaultWithoutUsableLength) { expectChunkSizes(kUnusable, std::size(kUnusable)); }

}  // namespace
