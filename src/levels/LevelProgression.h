// LevelProgression: moves the game along the chain of level slots: checkpoints,
// restarting or continuing, the next and previous level, a new game, the main menu
// and the credits. It works on the Serialization system that owns it, whose public
// progression names forward here.
// Invariant: the current slot only changes through LoadSlot, which refuses any slot
// outside the fifty and says so, leaving the world as it was. A step onto a slot
// whose file cannot be read never strands the player: the game goes on to where
// that slot would have led (SlotUnreadable).
#pragma once

#include <cstdint>
#include <string>

namespace Framework {

class Serialization;

class LevelProgression {
 public:
  explicit LevelProgression(Serialization& levels) : levels_(levels) {}

  // Carries out one SerializationCommand; unknown numbers do nothing.
  void Execute(std::int32_t command, const std::string& fileName);
  // In a play level: saves, and only a save that worked shows "Checkpoint reached".
  void Checkpoint();
  // Below the play levels: continue from the autosave on the pause menu;
  // otherwise reload the current slot (with "Try again" in a play level).
  void RestartOrContinue();
  void NextLevel();
  void PreviousLevel();
  void NewGame();
  // Starts the music the first time, loads the main-menu world and pauses under the menu.
  void EnterMainMenu();
  // Saves the play level being left (without bombs and fireflies), then loads the credits.
  void ShowCredits();
  // The file of `slot` could not be read on the way into it: says so and posts the
  // step past it (splash to splash to menu, a play level to the next, the finale to
  // the credits, the credits back out). The main-menu world needs none: its menu opens anyway.
  void SlotUnreadable(std::int32_t slot);

 private:
  // Loads a slot, or refuses (with a message naming the command) outside the fifty.
  bool LoadSlot(std::int64_t slot, const char* command);

  Serialization& levels_;
};

}  // namespace Framework
