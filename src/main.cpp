// Tumbrix entry: finds the run-time folder, then registers the systems in update
// order, initialises them and runs the loop.
#include <SDL.h>

#include <cstdio>
#include <iostream>

#include "engine/DataFolder.h"
#include "game/Startup.h"

int main(int, char**) {
  // Diagnostic lines must reach a pipe or a log file even when the game is killed
  // right after printing them, so standard output is flushed after every write.
  std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
  std::cout << std::unitbuf;
  // A window-close request opens the quit confirmation instead of ending the game;
  // SDL would turn Ctrl+C and the system's termination signal into that same
  // request, so they are left to end the process as usual.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  Framework::EnterDataFolder();
  return Framework::RunGame();
}
