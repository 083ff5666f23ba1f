// Tumbrix entry: registers the systems in update order, initialises them and runs the loop.
#include <SDL.h>

#include "engine/Startup.h"

int main(int, char**) {
  // A window-close request opens the quit confirmation instead of ending the game;
  // SDL would turn Ctrl+C and the system's termination signal into that same
  // request, so they are left to end the process as usual.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  return Framework::RunGame();
}
