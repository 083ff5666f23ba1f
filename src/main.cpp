// Tumbrix entry: finds the run-time folder, then registers the systems in update
// order, initialises them and runs the loop.
#include <cstdio>
#include <iostream>

#include "engine/DataFolder.h"
#include "engine/Startup.h"

int main(int, char**) {
  // Diagnostic lines must reach a pipe or a log file even when the game is killed
  // right after printing them, so standard output is flushed after every write.
  std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
  std::cout << std::unitbuf;
  Framework::EnterDataFolder();
  return Framework::RunGame();
}
