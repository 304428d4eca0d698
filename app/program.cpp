#include "app/program.h"

#include "app/handlers.h"
#include "ui/form_ids.h"
#include "ui/main_form.h"
#include "ui/window.h"
#include "values/constants.h"

namespace {

unsigned char g_form[kMainFormLength];

}  // namespace

// Handler references in the form count from the start of programMain.
ProgramDescription programDescription() {
  const uintptr_t codeStart = reinterpret_cast<uintptr_t>(&programMain);
  const MainFormHandlers handlers = {onMainWindowCreated, onCalibrateClicked, onClockTick};
  const int32_t length = encodeMainForm(handlers, codeStart, g_form, kMainFormLength);
  ProgramDescription program = {};
  program.codeStart = codeStart;
  program.constantsStart = constantPoolStart;
  program.constantsEnd = constantPoolEnd;
  program.form = g_form;
  program.formLength = length;
  return program;
}

int programMain() {
  initialiseRuntime(programDescription());
  registerExitCallback(onProgramExit);
  loadWindow(kMainWindowId);
  runMessageLoop();
  return 0;
}
