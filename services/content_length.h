// The read size of an HTTP body, taken from the answer's Content-Length header.
#pragma once
#include <cstdint>

constexpr int32_t kDefaultChunkSize = 10240;   // no usable length announced
constexpr int32_t kLargestChunkSize = 102400;  // never read more at once
constexpr int32_t kContentLengthCapacity = 32; // the header's text buffer, terminator included

// Gives the chunk size for the header text (null when the header is missing or did not fit):
// v + 1 for a leading decimal v > 0, at most kLargestChunkSize; kDefaultChunkSize otherwise.
int32_t chunkSizeFromContentLength(const char *headerText);
