// Startup: the game's composition root. The only place that knows every system
// and every archetype: it registers the tables, connects the hooks lower layers
// call up through, and runs the start-up and shutdown sequence, kept out of main()
// so the registration order lives in one place and tests can start the whole game.
#pragma once

namespace Framework {

// Hands the archetypes and the component rows to the Factory and the level table,
// and connects the window's hooks to the game flow and the camera. Opens nothing
// and constructs no system, so tests and tools that build worlds without the whole
// game call it too; calling it again changes nothing.
void RegisterGame();

// Registers the game, creates the Engine and every system in update order (which is also the order
// of construction, so the singletons are destroyed in reverse), then initialises
// them in that order. Runs from the game's run-time folder.
void StartGame();

// Releases what must go while SDL is still up and empties the system list.
void StopGame();

// StartGame, the main loop, StopGame; returns the process exit code.
int RunGame();

}  // namespace Framework
