// The platform side of the run time's start and end.
#pragma once

// Destroys hiddenOwnerWindow and uninitialises OLE when the flags say they exist;
// safe to call when neither does.
void releasePlatformRuntime();
