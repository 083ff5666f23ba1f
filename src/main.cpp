// Tumbrix entry: finds the run-time folder, then registers the systems in update
// order, initialises them and runs the loop.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "engine/DataFolder.h"
#include "engine/Engine.h"
#include "game/Startup.h"

namespace {

// `--time-scale F` plays in slow motion (a playtester's aid); anything else on the
// command line is left alone.
void ReadArguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--time-scale") != 0) continue;
    char* end = nullptr;
    const float scale = i + 1 < argc ? std::strtof(argv[i + 1], &end) : 0.0f;
    if (end == nullptr || end == argv[i + 1] || *end != '\0') {
      std::cout << "--time-scale needs a number from " << Framework::Engine::SlowestTimeScale << " to "
                << Framework::Engine::RealTime << "; playing in real time\n";
      return;
    }
    Framework::Engine& engine = Framework::Engine::Instance();
    if (!engine.SetTimeScale(scale)) {
      std::cout << "--time-scale " << argv[i + 1] << " is outside " << Framework::Engine::SlowestTimeScale << " to "
                << Framework::Engine::RealTime << "; using " << engine.TimeScale() << "\n";
    }
    ++i;
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Diagnostic lines must reach a pipe or a log file even when the game is killed
  // right after printing them, so standard output is flushed after every write.
  std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
  std::cout << std::unitbuf;
  // A window-close request opens the quit confirmation instead of ending the game;
  // SDL would turn Ctrl+C and the system's termination signal into that same
  // request, so they are left to end the process as usual.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  ReadArguments(argc, argv);
  Framework::EnterDataFolder();
  return Framework::RunGame();
}
