// Startup: the game's start-up and shutdown sequence, kept out of main() so the
// registration order lives in one place.
#pragma once

namespace Framework {

// Creates the Engine and every system in update order, initialises them in that
// order, runs the main loop and returns the process exit code.
int RunGame();

}  // namespace Framework
