// The Windows side of the run time's end.
#include <windows.h>
#include <ole2.h>

#include "ui/runtime.h"
#include "ui/runtime_platform.h"

// Destroys hiddenOwnerWindow and uninitialises OLE when they exist; clears both.
void releasePlatformRuntime() {
  if (g_runtime.hiddenOwnerWindow != nullptr) {
    // A window that is gone already needs no destroying.
    DestroyWindow(static_cast<HWND>(g_runtime.hiddenOwnerWindow));
    g_runtime.hiddenOwnerWindow = nullptr;
  }
  if (g_runtime.oleInitialised) {
    OleUninitialize();
    g_runtime.oleInitialised = false;
  }
}
