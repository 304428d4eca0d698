// The three event handlers of MainWindow.
#pragma once

// Starts clockTimer with its one-second period.
void onMainWindowCreated();
// Refreshes the network time, then shows the local clock.
void onClockTick();
// Sets the local clock to the network time shown, then refreshes it; reports nothing.
void onCalibrateClicked();
