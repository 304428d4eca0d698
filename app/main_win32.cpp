// The process entry: runs the program, then the run time's shutdown.
#include <windows.h>

#include "app/program.h"
#include "ui/runtime.h"

namespace {

// The run time ends once more as the process's static objects are destroyed; by then the
// exit callbacks have run and the list is empty, so nothing runs twice.
struct RuntimeLifetime {
  ~RuntimeLifetime() { shutdownRuntime(0); }
} g_runtimeLifetime;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const int code = programMain();
  shutdownRuntime(code);
  return code;
}
