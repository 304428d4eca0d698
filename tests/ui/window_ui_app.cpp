// The window run time as the program uses it, for the checks a user's view needs: MainWindow
// from the program's form, with handlers that report on stdout. The created handler starts
// the timer; each tick writes the two read-outs; a click writes a caption longer than the
// credit label. The program ends when the loop returns.
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "ui/form_ids.h"
#include "ui/form_model.h"
#include "ui/main_form.h"
#include "ui/runtime.h"
#include "ui/unit_kinds.h"
#include "ui/window.h"

namespace {

int32_t g_ticks = 0;
int32_t g_clicks = 0;

HWND mainWindow() {
  const UnitRecord *r = findUnit(findWindowTemplate(g_runtime.templates, kMainWindowId), 0);
  const UnitHeader *unit = r != nullptr ? static_cast<const UnitHeader *>(r->object) : nullptr;
  return unit != nullptr ? unit->window : nullptr;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int *>(count);
  return TRUE;
}

void writeCaption(uint32_t unit, const char *text) {
  writeProperty(kMainWindowId, unit, kCaptionProperty, kWholeValue,
                reinterpret_cast<uintptr_t>(text), 0);
}

void onCreated() {
  int children = 0;
  EnumChildWindows(mainWindow(), countChild, reinterpret_cast<LPARAM>(&children));
  std::printf("created visible=%d children=%d\n", IsWindowVisible(mainWindow()) ? 1 : 0, children);
  writeProperty(kMainWindowId, kClockTimerId, kPeriodProperty, kWholeValue, 1000, 0);
}

void onTick() {
  ++g_ticks;
  // 2026年12月11日08时05分09秒
  writeCaption(kNetworkTimeLabelId,
               "2026\xC4\xEA"
               "12\xD4\xC2"
               "11\xC8\xD5"
               "08\xCA\xB1"
               "05\xB7\xD6"
               "09\xC3\xEB");
  char local[32];
  std::snprintf(local, sizeof local, "tick %d", static_cast<int>(g_ticks));
  writeCaption(kLocalTimeLabelId, local);
  std::printf("tick %d\n", static_cast<int>(g_ticks));
}

void onClick() {
  ++g_clicks;
  writeCaption(kCreditLabelId,
               "by\xA3\xBAVantor by\xA3\xBAVantor by\xA3\xBAVantor");  // by：Vantor ×3
  std::printf("click %d\n", static_cast<int>(g_clicks));
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  uintptr_t start = reinterpret_cast<uintptr_t>(onCreated);
  for (EventHandler h : {onClick, onTick})
    if (reinterpret_cast<uintptr_t>(h) < start) start = reinterpret_cast<uintptr_t>(h);
  static unsigned char form[4096];
  const int32_t length = encodeMainForm({onCreated, onClick, onTick}, start, form, sizeof form);
  initialiseRuntime(ProgramDescription{start, nullptr, nullptr, form, length});
  loadWindow(kMainWindowId);
  std::printf("loaded\n");
  runMessageLoop();
  std::printf("loop returned\n");
  shutdownRuntime(0);
  return 0;
}
