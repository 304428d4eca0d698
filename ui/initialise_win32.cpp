// initialiseRuntime: the heap, OLE, the working directory, the hidden owner window and the
// window templates.
#include <windows.h>
#include <ole2.h>

#include "services/fatal.h"
#include "ui/form_model.h"
#include "ui/module_path.h"
#include "ui/runtime_messages.h"
#include "ui/unit_kinds.h"
#include "values/block.h"

namespace {

constexpr char kOwnerClass[] = "TimecalOwner";

// Makes the executable's directory the current directory. A path that does not fit the
// buffer, or a directory that cannot be entered, leaves the current directory as it is.
void enterModuleDirectory() {
  char path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  path[length] = '\0';
  const ModulePathSplit split = splitModulePath(path);
  if (split.directoryLength == 0) return;
  path[split.directoryLength] = '\0';
  // See above: the program runs on in the directory it was started in.
  SetCurrentDirectoryA(path);
}

// The invisible tool window of zero size that owns windows kept off the taskbar; null when
// it cannot be made, and such windows are then unowned.
HWND createHiddenOwner() {
  if (!registerRuntimeClass(kOwnerClass, 0, DefWindowProcA)) return nullptr;
  return CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         runtimeInstance(), nullptr);
}

}  // namespace

// Sets up the run time; a form description that cannot be read is fatal.
void initialiseRuntime(const ProgramDescription &program) {
  g_runtime.heap = GetProcessHeap();
  g_runtime.codeStart = program.codeStart;
  if (!g_runtime.oleInitialised) {
    // S_FALSE (already initialised on this thread) also wants its OleUninitialize.
    const HRESULT ole = OleInitialize(nullptr);
    g_runtime.oleInitialised = SUCCEEDED(ole);
  }
  enterModuleDirectory();
  if (g_runtime.hiddenOwnerWindow == nullptr) g_runtime.hiddenOwnerWindow = createHiddenOwner();
  g_runtime.constantsStart = program.constantsStart;
  g_runtime.constantsEnd = program.constantsEnd;

  FormTemplates *templates = static_cast<FormTemplates *>(allocateBlock(sizeof(FormTemplates)));
  if (!readFormDescription(program.form, program.formLength, program.codeStart, templates)) {
    releaseBlock(templates);
    reportFatalError(kFormUnreadable, 0);
  }
  g_runtime.templates = templates;
}
