// Startup: the game's start-up and shutdown sequence, kept out of main() so the
// registration order lives in one place and tests can start the whole game.
#pragma once

namespace Framework {

// Creates the Engine and every system in update order (which is also the order
// of construction, so the singletons are destroyed in reverse), then initialises
// them in that order. Runs from the game's run-time folder.
void StartGame();

// Releases what must go while SDL is still up and empties the system list.
void StopGame();

// StartGame, the main loop, StopGame; returns the process exit code.
int RunGame();

}  // namespace Framework
