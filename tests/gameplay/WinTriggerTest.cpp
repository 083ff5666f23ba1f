// The level exit: the player's touch spins it away, then the next level loads
// (the finale's exit into the credits is played in ReplayTest).
#include <gtest/gtest.h>

#include <string>

#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "gameplay/WinTrigger.h"
#include "levels/LevelSlots.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "support/EventRecorder.h"
#include "support/Files.h"
#include "support/LevelFixture.h"
#include "support/WorldSteps.h"

namespace Framework {
namespace {

// An exit at (10, 0) and a body standing in for the player at (0, 0).
const char* const kExitLevel = R"({"Factory": {"Game_Objects": [
  {"Transform": {"Position": {"X": 10, "Y": 0}, "Scale": {"X": 2, "Y": 2}}, "Body": {"IsStatic": true, "IsCollidable": true}, "WinTriggerScript": ""},
  {"Transform": {"Position": {"X": 0, "Y": 0}, "Scale": {"X": 1, "Y": 2}}, "Body": {"IsStatic": false, "IsCollidable": true}}]}})";

class WinTriggerTest : public WorldFixture {
 protected:
  // Loads `slot` with the exit level and touches the exit with the player.
  void TouchTheExitOn(int slot) {
    WriteFileText(SlotFile(slot), kExitLevel);
    Serialization& levels = Serialization::Instance();
    levels.CurrentLevel = slot;
    levels.Load(SlotFile(slot));
    Factory& factory = Factory::Instance();
    exit = factory.Objects.begin()->second.get();
    factory.Player = std::next(factory.Objects.begin())->second.get();
    CollisionObjectEvent contact(exit, factory.Player);
    EventSystem::Instance().Send(contact);
  }
  GameObject* exit = nullptr;
};

TEST_F(WinTriggerTest, SpinsThePlayerAwayThenLoadsTheNextLevel) {
  WriteMarkedSlots(LevelSlot::Finale, LevelSlot::Finale);
  EventRecorder<AudioEvent> sounds;
  TouchTheExitOn(LevelSlot::LastNumbered);
  StepWorld(15);
  GameObject* player = Factory::Instance().Player;
  const auto* body = player->GetComponent<Body>();
  const auto* transform = player->GetComponent<Transform>();
  EXPECT_TRUE(body->IsStatic);
  EXPECT_FALSE(body->IsCollidable);
  EXPECT_NEAR(transform->Scale.y, 2.0f - 2.0f * 15 / 60.0f, 1e-3f);
  EXPECT_NEAR(transform->Rotation, 10.0f * 15 / 60.0f, 1e-3f);
  EXPECT_GT(exit->GetComponent<Transform>()->Scale.y, 2.0f);
  EXPECT_EQ(Serialization::Instance().CurrentLevel, LevelSlot::LastNumbered);
  StepWorld(20);
  EXPECT_EQ(Serialization::Instance().CurrentLevel, LevelSlot::Finale);
  ASSERT_EQ(sounds.Events.size(), 1u);
  EXPECT_EQ(sounds.Events[0].SoundName, "winlevel.ogg");
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{LevelSlot::Finale}));
  Factory::Instance().Player = nullptr;
}

}  // namespace
}  // namespace Framework
