// The debug keys' engine operations: fly mode and stepping through the play levels.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
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

class DebugOperationsTest : public ::testing::Test {
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

TEST_F(DebugOperationsTest, FlyModeNeedsAFullyBuiltPlayer) {
  Engine& engine = Engine::Instance();
  Factory::Instance().Player = nullptr;
  engine.ToggleFlyMode();
  MakePlayer(3);
  engine.ToggleFlyMode();
  Deliver();
  EXPECT_FALSE(engine.FlyMode);
  EXPECT_TRUE(texts.Events.empty());
}

TEST_F(DebugOperationsTest, FlyModeTogglesTheFlagAndThePlayersStaticBodyAndSaysSo) {
  Engine& engine = Engine::Instance();
  GameObject* player = MakePlayer(4);
  Body* body = player->GetComponent<Body>();
  ASSERT_NE(body, nullptr);
  ASSERT_EQ(player->Components.size(), 4u);

  engine.ToggleFlyMode();
  Deliver();
  EXPECT_TRUE(engine.FlyMode);
  EXPECT_TRUE(body->IsStatic);
  engine.ToggleFlyMode();
  Deliver();
  EXPECT_FALSE(engine.FlyMode);
  EXPECT_FALSE(body->IsStatic);
  ASSERT_EQ(texts.Events.size(), 2u);
  EXPECT_EQ(texts.Events[0].Text, "Fly Mode Activated");
  EXPECT_EQ(texts.Events[0].Command, GraphicsCommand::ShowText);
  EXPECT_EQ(texts.Events[1].Text, "Fly Mode Deactivated");
}

TEST_F(DebugOperationsTest, LevelStepsActOnlyInsideThePlayLevels) {
  Engine& engine = Engine::Instance();
  Serialization& levels = Serialization::Instance();
  Camera& camera = Graphics::Instance().Camera;
  camera.Position = {20.0f, 6.0f, 0.0f};
  camera.ViewHalfWidth = 32.0f * 16.0f / 9.0f;

  levels.CurrentLevel = LevelSlot::Finale;
  engine.LoadNextLevel();
  levels.CurrentLevel = LevelSlot::FirstPlay;
  engine.LoadPreviousLevel();
  levels.CurrentLevel = LevelSlot::MainMenu;
  engine.LoadNextLevel();
  engine.LoadPreviousLevel();
  EXPECT_EQ(EventSystem::Instance().QueuedCount(), 0u);

  levels.CurrentLevel = LevelSlot::LastNumbered;
  engine.LoadNextLevel();
  // Only posted: the level does not change before delivery.
  EXPECT_EQ(levels.CurrentLevel, LevelSlot::LastNumbered);
  ASSERT_EQ(EventSystem::Instance().QueuedCount(), 2u);
  levels.CurrentLevel = LevelSlot::Finale;
  engine.LoadPreviousLevel();
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

}  // namespace
}  // namespace Framework
