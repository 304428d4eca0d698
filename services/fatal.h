// The report of an error after which the program cannot go on.
#pragma once
#include <cstdint>

// Shows the message box and ends the process with exit code -1; never returns.
[[noreturn]] void reportFatalError(const char *text, int32_t code);

// Writes the box's text for (text, code) into out (zero-terminated, cut to capacity);
// gives its length.
int32_t buildFatalMessage(const char *text, int32_t code, char *out, int32_t capacity);
