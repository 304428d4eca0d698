// RuntimeState: the one application object, and the start and end of the run time.
#pragma once
#include <cstdint>

using ExitCallback = void (*)();
using EventHandler = void (*)();

struct FormTemplates;  // the window templates read from the form description

// What the build produces with the program: where its code and constants start, and its form.
struct ProgramDescription {
  uintptr_t codeStart;  // handler references in the form count from here
  const void *constantsStart;
  const void *constantsEnd;
  const unsigned char *form;
  int32_t formLength;
};

constexpr int32_t kMaxExitCallbacks = 16;
constexpr int32_t kMaxIdleRoutines = 16;

struct IdleRoutine {
  uint32_t windowId;
  void (*routine)(void *argument);
  void *argument;
};

struct RuntimeState {
  // start and end
  void *heap;
  bool oleInitialised;
  const void *constantsStart;
  const void *constantsEnd;
  uintptr_t codeStart;
  void *hiddenOwnerWindow;  // HWND
  FormTemplates *templates;
  ExitCallback exitCallbacks[kMaxExitCallbacks];
  int32_t exitCallbackCount;
  bool messageLoopEntered;
  // events
  int32_t eventsSuppressed;
  uint32_t currentEventWindow;
  uint32_t currentEventUnit;
  IdleRoutine idleRoutines[kMaxIdleRoutines];
  int32_t idleRoutineCount;
};

extern RuntimeState g_runtime;

// Sets up the run time for the program; a form that cannot be read is a fatal error.
void initialiseRuntime(const ProgramDescription &program);
// Appends routine to the exit callbacks unless it is there already.
void registerExitCallback(ExitCallback routine);
// Holds back events, drops idle routines and templates, runs the exit callbacks once,
// releases what the run time holds and uninitialises OLE. Safe to run twice.
void shutdownRuntime(int32_t code);
