// Native stand-in for the fatal error report: the box's text goes to stderr, then the process
// ends with exit code -1 (255), so death tests can check both.
#include "services/fatal.h"

#include <cstdio>
#include <cstdlib>

[[noreturn]] void reportFatalError(const char *text, int32_t code) {
  char message[1024];
  buildFatalMessage(text, code, message, sizeof message);
  std::fputs("FATAL:", stderr);
  std::fputs(message, stderr);
  std::fflush(stderr);
  std::_Exit(-1);
}
