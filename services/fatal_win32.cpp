// The fatal error report on Windows: a message box, then the end of the process with -1.
#include "services/fatal.h"

#include <windows.h>

#include "ui/runtime.h"

namespace {

const char kCaption[] = "\xB4\xED\xCE\xF3";  // 错误
constexpr UINT kBoxStyle = MB_ICONERROR | MB_OK;
static_assert(kBoxStyle == 0x10, "an error icon and one OK button");

// The box text's room, as much as wsprintfA could ever write.
constexpr int32_t kMessageCapacity = 1024;

bool g_reporting = false;

}  // namespace

// Never returns: the process ends with exit code -1 once the box is closed. A second fatal
// error while the box is open (from a message the box's loop dispatched) ends the process at
// once, so that a failure repeating on every paint cannot pile up boxes.
[[noreturn]] void reportFatalError(const char *text, int32_t code) {
  const UINT exitCode = static_cast<UINT>(-1);
  if (g_reporting) ExitProcess(exitCode);
  g_reporting = true;
  ++g_runtime.eventsSuppressed;

  char message[kMessageCapacity];
  buildFatalMessage(text, code, message, kMessageCapacity);
  // The answer is not looked at: the box has one button, and the process ends the same way
  // whether the box was shown and closed or could not be shown at all.
  MessageBoxA(nullptr, message, kCaption, kBoxStyle);

  g_runtime.exitCallbackCount = 0;
  shutdownRuntime(-1);
  ExitProcess(exitCode);
}
