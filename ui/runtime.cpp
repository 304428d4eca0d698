#include "ui/runtime.h"

#include "ui/form_templates.h"
#include "ui/runtime_platform.h"

RuntimeState g_runtime;

// Appends routine to the exit callbacks; nothing when it is there already or the list is full.
void registerExitCallback(ExitCallback routine) {
  if (routine == nullptr) return;
  for (int32_t i = 0; i < g_runtime.exitCallbackCount; ++i)
    if (g_runtime.exitCallbacks[i] == routine) return;
  if (g_runtime.exitCallbackCount < kMaxExitCallbacks)
    g_runtime.exitCallbacks[g_runtime.exitCallbackCount++] = routine;
}

// Ends the run time; the second run (from the process's own exit path) finds the lists empty,
// so no callback runs twice.
void shutdownRuntime(int32_t code) {
  ++g_runtime.eventsSuppressed;
  g_runtime.idleRoutineCount = 0;
  discardFormTemplates(g_runtime.templates);
  g_runtime.templates = nullptr;

  // The list is emptied before the calls so that a callback that ends the process cannot make
  // a later shutdown run it again.
  ExitCallback pending[kMaxExitCallbacks];
  const int32_t count = g_runtime.exitCallbackCount;
  for (int32_t i = 0; i < count; ++i) pending[i] = g_runtime.exitCallbacks[i];
  g_runtime.exitCallbackCount = 0;
  for (int32_t i = 0; i < count; ++i) pending[i]();

  releasePlatformRuntime();
}
