// The game's flow driven directly, without window events: Escape by level and the
// debug steps through the play levels.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "gameplay/GameFlow.h"
#include "graphics/Graphics.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "support/EventRecorder.h"

namespace Framework {
namespace {

class GameFlowTest : public ::testing::Test {
 protected:
  void Deliver() { EventSystem::Instance().Update(0.0f, false); }

  EventRecorder<GraphicsEvent> texts;
  EventRecorder<SerializationEvent> levelCommands;
};

TEST_F(GameFlowTest, LevelStepsActOnlyInPlayAndEscapeLeavesTheSplashAndCreditsForWhereThePlayerCameFrom) {
  GameFlow& flow = GameFlow::Instance();
  Serialization& levels = Serialization::Instance();

  levels.CurrentLevel = LevelSlot::Finale;
  flow.LoadNextLevel();
  levels.CurrentLevel = LevelSlot::FirstPlay;
  flow.LoadPreviousLevel();
  levels.CurrentLevel = LevelSlot::MainMenu;
  flow.LoadNextLevel();
  flow.LoadPreviousLevel();
  EXPECT_EQ(EventSystem::Instance().QueuedCount(), 0u);

  levels.CurrentLevel = LevelSlot::LastNumbered;
  flow.LoadNextLevel();
  // Only posted: the level does not change before delivery.
  EXPECT_EQ(levels.CurrentLevel, LevelSlot::LastNumbered);
  ASSERT_EQ(EventSystem::Instance().QueuedCount(), 2u);
  levels.CurrentLevel = LevelSlot::Finale;
  GameFlow::Instance().OnKey(SDLK_z);
  // The level system is not initialised here, so nothing but the recorders acts on them.
  Deliver();
  EXPECT_EQ(levelCommands.Commands(),
            (std::vector<std::int32_t>{SerializationCommand::NextLevel, SerializationCommand::PreviousLevel}));
  ASSERT_EQ(texts.Events.size(), 2u);
  EXPECT_EQ(texts.Events[0].Text, "Load Next Level");
  EXPECT_EQ(texts.Events[1].Text, "Load Previous Level");

  // Escape leaves the splash and the credits for where the player came from.
  // No level files here: each load reports the missing file and builds nothing, but
  // the slot it moves to is what the player would see.
  Engine& engine = Engine::Instance();
  for (std::string& file : levels.LevelFiles) file = "no-such-folder/level.json";
  levels.AutosavePath = "no-such-folder/autosave.json";
  struct Case {
    std::int32_t Level, LastLevel;
    bool Paused;
    std::int32_t Then;
  };
  const Case cases[] = {
      {LevelSlot::FirstSplash, 0, false, LevelSlot::MainMenu},
      {LevelSlot::FirstSplash, 0, true, LevelSlot::FirstSplash},  // paused: the menus' Escape
      {LevelSlot::Credits, LevelSlot::MainMenu, false, LevelSlot::MainMenu},
      {LevelSlot::Credits, LevelSlot::Finale, false, LevelSlot::MainMenu},
      {LevelSlot::Credits, 13, false, 13},  // back to the play level the credits interrupted
      {LevelSlot::SecondSplash, 0, false, LevelSlot::SecondSplash},
  };
  for (const Case& c : cases) {
    levels.CurrentLevel = c.Level;
    levels.LastLevel = c.LastLevel;
    engine.Paused = c.Paused;
    flow.OnKey(SDLK_ESCAPE);
    EXPECT_EQ(levels.CurrentLevel, c.Then) << "from slot " << c.Level << " after " << c.LastLevel;
  }
  engine.Paused = false;
}

}  // namespace
}  // namespace Framework
