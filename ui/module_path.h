// The split of the executable's path into the directory to work in and the file name.
#pragma once
#include <cstdint>

// Where a path splits: the directory is path[0, directoryLength), the file name starts at
// fileNameStart.
struct ModulePathSplit {
  int32_t directoryLength;
  int32_t fileNameStart;
};

// The split at the last backslash, reading path as code page 936 so that the second byte of a
// double-byte character (which may be 0x5C) is no separator. Without a backslash the directory
// is empty and the file name is the whole path. A drive's root keeps its backslash ("C:\"),
// since "C:" alone names the drive's current directory. Null gives an empty split.
ModulePathSplit splitModulePath(const char *path);
