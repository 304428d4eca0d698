// Test helper: UTF-8 text with the six unit characters turned into their code page 936 bytes.
#pragma once
#include <string>

inline std::string gbk(const std::string &utf8) {
  static const struct { const char *utf8, *cp936; } kUnits[] = {
      {"\xE5\xB9\xB4", "\xC4\xEA"},  // 年
      {"\xE6\x9C\x88", "\xD4\xC2"},  // 月
      {"\xE6\x97\xA5", "\xC8\xD5"},  // 日
      {"\xE6\x97\xB6", "\xCA\xB1"},  // 时
      {"\xE5\x88\x86", "\xB7\xD6"},  // 分
      {"\xE7\xA7\x92", "\xC3\xEB"},  // 秒
  };
  std::string out = utf8;
  for (const auto &unit : kUnits)
    for (size_t at = out.find(unit.utf8); at != std::string::npos; at = out.find(unit.utf8, at))
      out.replace(at, 3, unit.cp936);
  return out;
}
