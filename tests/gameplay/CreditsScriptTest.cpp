// The credits opened from play hand back the interrupted game under the pause
// menu, with nothing of the interruption left over however often it happens.
// (At the end of their scroll from the finale they lead to the main menu: the
// whole-game replay; Escape on them: GameFlowTest.)
#include <gtest/gtest.h>

#include <cstdint>


#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "gameplay/BoomScript.h"
#include "gameplay/FireflyScript.h"
#include "gameplay/PlayerController.h"
#include "gameplay/ThrowIndicatorScript.h"
#include "levels/LevelSlots.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "support/Files.h"
#include "support/JsonText.h"
#include "support/LevelFixture.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

Json::Value SavedEntries(const std::string& file) {
  return ParseJson(ReadFileText(file))["Factory"]["Game_Objects"];
}

// Level 1 (it has fireflies), played for a second.
class CreditsCycle : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(s.LoadLevelFile(kLevel1, LevelSlot::FirstPlay));
    s.Run(std::chrono::seconds(1));
  }
  // Saved, the level holds its own entries and its throw indicator: no bomb, no firefly.
  void ExpectAutosaveHoldsTheLevelAndItsIndicator() {
    EXPECT_EQ(SavedEntries(levels.AutosavePath).size(), SavedEntries(kLevel1).size() + 1);
  }
  void ThrowABomb() {
    s.ClickLeftAt(s.PlayerPosition() + Vec2{3.0f, 8.0f});
    ASSERT_EQ(s.ObjectsWith<BoomScript>().size(), 1u) << "a bomb in flight";
  }
  static constexpr const char* kLevel1 = "saves/Save10.json";
  Scenario s;
  Serialization& levels = Serialization::Instance();
};

// With a bomb in flight, twice over: the pause menu's
// CREDITS, a click on the credits, and the game is back in Level 1 under the pause
// menu. The autosave holds the level's own objects and its throw indicator, with
// the player at its full size: no bomb, no firefly.
TEST_F(CreditsCycle, CreditsFromPlayReturnToTheInterruptedLevelWithNothingLeftOver) {
  using namespace std::chrono_literals;
  ASSERT_TRUE(s.InstallLevelFile("saves/Save3.json", LevelSlot::Credits));
  Engine& engine = Engine::Instance();
  int pauseMenus = 0;
  levels.Hooks.OpenPauseMenu = [&] { ++pauseMenus; };
  for (int cycle = 1; cycle <= 2; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    ASSERT_NO_FATAL_FAILURE(ThrowABomb());
    // The pause menu's CREDITS, as its action runs them; their save shows no notice.
    engine.Paused = false;
    levels.ShowCheckpoint = true;
    levels.ShowCredits();
    ASSERT_EQ(s.Level(), LevelSlot::Credits);
    EXPECT_FALSE(levels.ShowCheckpoint);
    ExpectAutosaveHoldsTheLevelAndItsIndicator();
    const Json::Value saved = SavedEntries(levels.AutosavePath);
    int players = 0, indicators = 0;
    for (const Json::Value& entry : saved) {
      indicators += entry.isMember("ThrowIndicatorScript");
      if (!entry.isMember("Player_Controller")) continue;
      ++players;
      EXPECT_EQ((Vec2{entry["Transform"]["Scale"]["X"].asFloat(), entry["Transform"]["Scale"]["Y"].asFloat()}),
                PlayerController::GrownScale);
    }
    EXPECT_EQ(players, 1);
    EXPECT_EQ(indicators, 1);

    s.Run(0.5s);
    s.ClickLeftAt({0.0f, 0.0f});
    ASSERT_EQ(s.Level(), LevelSlot::FirstPlay) << s.Where();
    EXPECT_TRUE(engine.Paused);
    EXPECT_EQ(pauseMenus, cycle) << "the pause menu opens";
    EXPECT_TRUE(s.ObjectsWith<BoomScript>().empty());
    engine.Paused = false;  // RESUME GAME
    s.Run(1s);
    EXPECT_EQ(s.ObjectsWith<PlayerController>().size(), 1u);
    EXPECT_EQ(s.ObjectsWith<ThrowIndicatorScript>().size(), 1u);
    EXPECT_EQ(s.Player()->GetComponent<Transform>()->Scale, PlayerController::GrownScale);
  }
}

// The Checkpoint command in Level 1 with a bomb in flight, continued from three
// times over: the autosave holds the level and its throw indicator only, and the
// continued game has one set of fireflies and no bomb.
TEST_F(CreditsCycle, CheckpointsContinuedFromBringBackNoSecondSetOfFirefliesOrBombs) {
  using namespace std::chrono_literals;
  for (int cycle = 1; cycle <= 3; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    ASSERT_NO_FATAL_FAILURE(ThrowABomb());
    auto checkpoint = std::make_unique<SerializationEvent>();
    checkpoint->Command = SerializationCommand::Checkpoint;
    EventSystem::Instance().Post(std::move(checkpoint));
    s.RunFrames(1);
    ExpectAutosaveHoldsTheLevelAndItsIndicator();
    // Continue, as from the main menu's world.
    levels.CurrentLevel = LevelSlot::MainMenu;
    levels.RestartOrContinue();
    ASSERT_EQ(s.Level(), LevelSlot::FirstPlay);
    Engine::Instance().Paused = false;
    s.Run(1s);
    EXPECT_EQ(s.ObjectsWith<FireflyScript>().size(), static_cast<std::size_t>(PlayerController::FireflyCount));
    // They hang in the air over the start, never inside the ground under the player's feet.
    for (GameObject* firefly : s.ObjectsWith<FireflyScript>()) EXPECT_GT(firefly->GetComponent<Transform>()->Position.y, 2.0f);
    EXPECT_EQ(s.ObjectsWith<BoomScript>().size(), 0u);
    EXPECT_EQ(s.ObjectsWith<ThrowIndicatorScript>().size(), 1u);
  }
}

}  // namespace
}  // namespace Framework
