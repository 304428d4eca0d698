#include "ui/module_path.h"

namespace {

// Lead bytes of code page 936's double-byte characters.
bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace

// Gives the split; see the header for the rules.
ModulePathSplit splitModulePath(const char *path) {
  ModulePathSplit split = {0, 0};
  if (path == nullptr) return split;
  int32_t lastSeparator = -1;
  int32_t i = 0;
  while (path[i] != '\0') {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (isLeadByte(c) && path[i + 1] != '\0') {
      i += 2;
      continue;
    }
    if (c == '\\') lastSeparator = i;
    ++i;
  }
  if (lastSeparator < 0) return split;
  split.fileNameStart = lastSeparator + 1;
  const bool driveRoot = lastSeparator == 2 && path[1] == ':';
  split.directoryLength = driveRoot ? lastSeparator + 1 : lastSeparator;
  return split;
}
