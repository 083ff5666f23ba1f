// The game's flow driven directly, without window events: Escape by level and the
// debug operations (fly mode, stepping through the play levels).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "gameplay/GameFlow.h"
#include "graphics/Graphics.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/Script.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "support/EventRecorder.h"

namespace Framework {
namespace {

// Behaviours that do nothing, to give the player its full set of components
// (an object holds one component per class, hence the number).
template <int N>
class IdleScript : public Script {
 public:
  explicit IdleScript(const char* name) : Script(name) {}
  void Update(float) override {}
};

class GameFlowTest : public ::testing::Test {
 protected:
  void SetUp() override { Engine::Instance().FlyMode = false; }
  void Deliver() { EventSystem::Instance().Update(0.0f, false); }

  GameObject* MakePlayer(int components) {
    Factory& factory = Factory::Instance();
    GameObject* player = factory.CreateObject();
    if (components >= 1) factory.AddComponent<Transform>(*player);
    if (components >= 2) factory.AddComponent<Body>(*player);
    if (components >= 3) player->Attach(std::make_unique<IdleScript<1>>("IdleA"));
    if (components >= 4) player->Attach(std::make_unique<IdleScript<2>>("IdleB"));
    factory.Player = player;
    return player;
  }

  EventRecorder<GraphicsEvent> texts;
  EventRecorder<SerializationEvent> levelCommands;
};

TEST_F(GameFlowTest, FlyModeNeedsAFullyBuiltPlayerTogglesItsStaticBodyAndSaysSo) {
  Engine& engine = Engine::Instance();
  GameFlow& flow = GameFlow::Instance();
  Factory::Instance().Player = nullptr;
  flow.ToggleFlyMode();
  MakePlayer(3);
  flow.ToggleFlyMode();
  Deliver();
  EXPECT_FALSE(engine.FlyMode);
  EXPECT_TRUE(texts.Events.empty());

  Body* body = MakePlayer(4)->GetComponent<Body>();
  flow.OnKey(SDLK_f);
  Deliver();
  EXPECT_TRUE(engine.FlyMode);
  EXPECT_TRUE(body->IsStatic);
  flow.ToggleFlyMode();
  Deliver();
  EXPECT_FALSE(engine.FlyMode);
  EXPECT_FALSE(body->IsStatic);
  ASSERT_EQ(texts.Events.size(), 2u);
  EXPECT_EQ(texts.Events[0].Text, "Fly Mode Activated");
  EXPECT_EQ(texts.Events[0].Command, GraphicsCommand::ShowText);
  EXPECT_EQ(texts.Events[1].Text, "Fly Mode Deactivated");
}

TEST_F(GameFlowTest, LevelStepsActOnlyInsideThePlayLevels) {
  GameFlow& flow = GameFlow::Instance();
  Serialization& levels = Serialization::Instance();
  Camera& camera = Graphics::Instance().Camera;
  camera.Position = {20.0f, 6.0f, 0.0f};
  camera.ViewHalfWidth = 32.0f * 16.0f / 9.0f;

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
  // Shown where the frame-rate text sits: the lower left of the view.
  EXPECT_FLOAT_EQ(texts.Events[0].X, 20.0f - camera.ViewHalfWidth * 0.5f);
  EXPECT_FLOAT_EQ(texts.Events[0].Y, 6.0f - 16.0f);
}

TEST_F(GameFlowTest, EscapeLeavesTheSplashAndTheCreditsForWhereThePlayerCameFrom) {
  // No level files here: each load reports the missing file and builds nothing, but
  // the slot it moves to is what the player would see.
  Engine& engine = Engine::Instance();
  Serialization& levels = Serialization::Instance();
  GameFlow& flow = GameFlow::Instance();
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
