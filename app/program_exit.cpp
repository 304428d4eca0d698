#include "app/program.h"

#include "app/server_time.h"
#include "values/block.h"

// Runs once, after the last window is gone: only memory is left to release.
void onProgramExit() {
  if (g_serverTimeText != nullptr) releaseBlock(g_serverTimeText);
  g_serverTimeText = nullptr;
  if (g_networkTimeCaption != nullptr) releaseBlock(g_networkTimeCaption);
  g_networkTimeCaption = nullptr;
}
