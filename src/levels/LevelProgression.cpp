#include "levels/LevelProgression.h"

#include <iostream>
#include <memory>
#include <optional>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"

namespace Framework {

namespace {

const char* const kMenuMusic = "bgm_looped.ogg";

}  // namespace

void LevelProgression::Execute(std::int32_t command, const std::string& fileName) {
  switch (command) {
    case SerializationCommand::SaveGame: levels_.Save(fileName); break;
    case SerializationCommand::LoadGame: levels_.Load(fileName); break;
    case SerializationCommand::Checkpoint: Checkpoint(); break;
    case SerializationCommand::RestartOrContinue: RestartOrContinue(); break;
    case SerializationCommand::NextLevel: NextLevel(); break;
    case SerializationCommand::PreviousLevel: PreviousLevel(); break;
    case SerializationCommand::NewGame: NewGame(); break;
    case SerializationCommand::EnterMainMenu: EnterMainMenu(); break;
    case SerializationCommand::ShowCredits: ShowCredits(); break;
    default: break;  // not a command: nothing to do
  }
}

bool LevelProgression::LoadSlot(std::int64_t slot, const char* command) {
  if (!IsValidSlot(slot)) {
    std::cout << command << " refused: slot " << slot << " is outside the level slots 0 to " << LevelSlot::Count - 1
              << "\n";
    return false;
  }
  levels_.CurrentLevel = static_cast<std::int32_t>(slot);
  levels_.Load(levels_.LevelFiles[static_cast<std::size_t>(slot)]);
  return true;
}

void LevelProgression::Checkpoint() {
  if (!IsPlayLevel(levels_.CurrentLevel) || levels_.ProgressFrozen) return;
  // The notice tells the player the game is saved; a failed save must not claim it.
  if (levels_.Save(levels_.AutosavePath)) levels_.ShowCheckpoint = true;
}

void LevelProgression::RestartOrContinue() {
  if (levels_.CurrentLevel < LevelSlot::FirstPlay) {
    // Continue: back to the level the player left for the credits or the menu.
    // Without a readable autosave (a save that failed, a damaged file) that
    // level starts over from its own file.
    if (!levels_.Load(levels_.AutosavePath) && IsGameLevel(levels_.CurrentLevel)) {
      std::cout << "No saved game to continue: level slot " << levels_.CurrentLevel << " starts over\n";
      LoadSlot(levels_.CurrentLevel, "RestartOrContinue");
    }
    if (levels_.Hooks.OpenPauseMenu) levels_.Hooks.OpenPauseMenu();
    Engine::Instance().Paused = true;
    return;
  }
  if (!LoadSlot(levels_.CurrentLevel, "RestartOrContinue")) return;
  if (IsPlayLevel(levels_.CurrentLevel)) levels_.ShowTryAgain = true;
}

void LevelProgression::NextLevel() { LoadSlot(std::int64_t{levels_.CurrentLevel} + 1, "NextLevel"); }

void LevelProgression::PreviousLevel() { LoadSlot(std::int64_t{levels_.CurrentLevel} - 1, "PreviousLevel"); }

void LevelProgression::NewGame() { LoadSlot(LevelSlot::FirstPlay, "NewGame"); }

void LevelProgression::EnterMainMenu() {
  if (!levels_.MusicStarted) {
    auto music = std::make_unique<AudioEvent>();
    music->Command = AudioCommand::PlayMusic;
    music->Loop = true;
    music->SoundName = kMenuMusic;
    EventSystem::Instance().Post(std::move(music));
    levels_.MusicStarted = true;
  }
  LoadSlot(LevelSlot::MainMenu, "EnterMainMenu");
  Engine::Instance().Paused = true;
  // The menu system shows the main menu and returns to it (SetMenu, ReturnMenu, PlaceMenu).
  if (levels_.Hooks.OpenMainMenu) levels_.Hooks.OpenMainMenu();
}

void LevelProgression::ShowCredits() {
  Factory& factory = Factory::Instance();
  if (!factory.Player) {
    LoadSlot(LevelSlot::Credits, "ShowCredits");
    return;
  }
  // Gameplay restores the player's scale and queues bombs and fireflies; they are
  // destroyed at once so that none of them is in the autosave.
  if (levels_.Hooks.PrepareCreditsSave) levels_.Hooks.PrepareCreditsSave();
  factory.Update(0.0f, false);
  if (IsPlayLevel(levels_.CurrentLevel) && !levels_.ProgressFrozen) levels_.Save(levels_.AutosavePath);
  levels_.ShowCheckpoint = false;
  LoadSlot(LevelSlot::Credits, "ShowCredits");
}

void LevelProgression::SlotUnreadable(std::int32_t slot) {
  struct Step {
    std::int32_t Command;
    const char* Where;
  };
  std::optional<Step> step;
  if (slot == LevelSlot::FirstSplash) {
    step = Step{SerializationCommand::NextLevel, "the next splash screen"};
  } else if (slot == LevelSlot::SecondSplash) {
    step = Step{SerializationCommand::EnterMainMenu, "the main menu"};
  } else if (slot == LevelSlot::Credits) {
    // Where the credits themselves would have led.
    if (levels_.LastLevel == LevelSlot::Finale || !IsGameLevel(levels_.LastLevel)) {
      step = Step{SerializationCommand::EnterMainMenu, "the main menu"};
    } else {
      step = Step{SerializationCommand::RestartOrContinue, "the level left for them"};
    }
  } else if (slot == LevelSlot::Finale) {
    step = Step{SerializationCommand::ShowCredits, "the credits"};
  } else if (IsPlayLevel(slot) && slot <= LevelSlot::LastNumbered) {
    step = Step{SerializationCommand::NextLevel, "the next level"};
  }
  // The main menu opens over the world it has; the unused slots lead nowhere.
  if (!step) return;
  std::cout << "Level slot " << slot << " cannot be read: going on to " << step->Where << "\n";
  auto event = std::make_unique<SerializationEvent>();
  event->Command = step->Command;
  EventSystem::Instance().Post(std::move(event));
}

}  // namespace Framework
