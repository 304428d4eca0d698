// The keyboard handling of form windows, before a key message is dispatched.
#pragma once
#include <windows.h>

// Handles Tab, Enter, Esc and Alt mnemonics for a form window or its controls; true when the
// message was used up and must not be dispatched.
bool handleFormKey(const MSG &message);
