// The split of the executable's path: at the last real backslash, a drive root kept whole,
// and a code page 936 character whose second byte is 0x5C never split.
#include <gtest/gtest.h>

#include <string>

#include "ui/module_path.h"

namespace {

struct SplitCase {
  const char *path;
  const char *directory;
  const char *fileName;
};

const SplitCase kCases[] = {
    {"C:\\Program Files\\timecal\\timecal.exe", "C:\\Program Files\\timecal", "timecal.exe"},
    {"timecal.exe", "", "timecal.exe"},
    {"", "", ""},
    {"C:\\timecal.exe", "C:\\", "timecal.exe"},
    {"\\\\server\\share\\timecal.exe", "\\\\server\\share", "timecal.exe"},
    {"C:\\tools\\", "C:\\tools", ""},
    {"\\timecal.exe", "", "timecal.exe"},
    // 誠 is D5 5C: its second byte is no separator.
    {"C:\\ab\xD5\x5C.exe", "C:\\", "ab\xD5\x5C.exe"},
    {"C:\\\xD5\x5C\\t.exe", "C:\\\xD5\x5C", "t.exe"},
    // A lead byte at the very end stands alone, and the backslash before it still counts.
    {"C:\\d\\x\xD5", "C:\\d", "x\xD5"},
};

TEST(ModulePath, SplitsAtTheLastRealBackslash) {
  for (const SplitCase &c : kCases) {
    const ModulePathSplit split = splitModulePath(c.path);
    const std::string path = c.path;
    EXPECT_EQ(path.substr(0, split.directoryLength), c.directory) << c.path;
    EXPECT_EQ(path.substr(split.fileNameStart), c.fileName) << c.path;
  }
}

TEST(ModulePath, NullIsAnEmptySplit) {
  const ModulePathSplit split = splitModulePath(nullptr);
  EXPECT_EQ(split.directoryLength, 0);
  EXPECT_EQ(split.fileNameStart, 0);
}

}  // namespace
