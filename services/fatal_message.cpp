#include "services/fatal.h"

#include <cstdio>

namespace {

const char kHead[] = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";   // 运行时出错!
const char kCodeLabel[] = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";       // 错误代码：
const char kTextLabel[] = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";       // 错误信息：

}  // namespace

// Gives the length of the message (head, code piece when code != 0, text piece when text is
// not empty); the text in out is cut to capacity - 1 bytes and always terminated.
int32_t buildFatalMessage(const char *text, int32_t code, char *out, int32_t capacity) {
  if (out == nullptr || capacity < 1) return 0;
  const bool hasText = text != nullptr && text[0] != '\0';
  int written;
  if (code != 0 && hasText)
    written = std::snprintf(out, capacity, "%s%s%d\r\n\r\n%s%s\r\n", kHead, kCodeLabel,
                            static_cast<int>(code), kTextLabel, text);
  else if (code != 0)
    written = std::snprintf(out, capacity, "%s%s%d\r\n\r\n", kHead, kCodeLabel, static_cast<int>(code));
  else if (hasText)
    written = std::snprintf(out, capacity, "%s%s%s\r\n", kHead, kTextLabel, text);
  else
    written = std::snprintf(out, capacity, "%s", kHead);
  if (written < 0) {
    out[0] = '\0';
    return 0;
  }
  return written < capacity ? written : capacity - 1;
}
