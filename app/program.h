// The program's entry routine and its exit callback.
#pragma once

#include "ui/runtime.h"

// Brings up MainWindow and runs the message loop until it is closed; gives 0.
int programMain();
// Releases the program's two global texts.
void onProgramExit();
// What the build produces with the program: its code start, constants and form.
ProgramDescription programDescription();
