// Moving between level slots: next, previous, restart and continue, checkpoints,
// new game, the main menu and the credits, and the title and notices shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/Events.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "support/Capture.h"
#include "support/EventRecorder.h"
#include "support/LevelFixture.h"

namespace Framework {
namespace {

class SerializationProgressionTest : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    WriteMarkedSlots(0, 49);
  }
  // Loads a slot the way the level-select menu does.
  void Enter(int slot) {
    serialization.CurrentLevel = slot;
    serialization.Load(SlotFile(slot));
  }
  void PostCommand(SerializationCommand::Value command) {
    auto event = std::make_unique<SerializationEvent>();
    event->Command = command;
    EventSystem::Instance().Post(std::move(event));
  }
};

TEST_F(SerializationProgressionTest, InitializeLoadsSlotZeroAndNextAndPreviousMoveOneSlotAndTwoPostedNextsMoveTwo) {
  serialization.Initialize();
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{0}));
  Enter(10);
  serialization.NextLevel();
  EXPECT_EQ(serialization.CurrentLevel, 11);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{11}));
  serialization.PreviousLevel();
  EXPECT_EQ(serialization.CurrentLevel, 10);
  EXPECT_EQ(serialization.LastLevel, 10);

  PostCommand(SerializationCommand::NextLevel);
  PostCommand(SerializationCommand::NextLevel);
  EventSystem::Instance().Update(0.0f, false);
  EXPECT_EQ(serialization.CurrentLevel, 12);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{12}));
  // The default command does nothing.
  SerializationEvent nothing;
  EventSystem::Instance().Send(nothing);
  EXPECT_EQ(serialization.CurrentLevel, 12);
}

TEST_F(SerializationProgressionTest, CommandsThatWouldLeaveTheFiftySlotsAreRefused) {
  Enter(49);
  EXPECT_EQ(StdoutOf([&] { serialization.NextLevel(); }), "NextLevel refused: slot 50 is outside the level slots 0 to 49\n");
  // Nothing was torn down: the world and the slot stay as they were.
  EXPECT_EQ(serialization.CurrentLevel, 49);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{49}));

  Enter(0);
  EXPECT_EQ(StdoutOf([&] { serialization.PreviousLevel(); }),
            "PreviousLevel refused: slot -1 is outside the level slots 0 to 49\n");
  EXPECT_EQ(serialization.CurrentLevel, 0);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{0}));

  // A sender that set a slot past the end cannot make a restart read past the table.
  serialization.CurrentLevel = 2147483647;
  EXPECT_EQ(StdoutOf([&] {
              serialization.RestartOrContinue();
              serialization.NextLevel();
            }),
            "RestartOrContinue refused: slot 2147483647 is outside the level slots 0 to 49\n"
            "NextLevel refused: slot 2147483648 is outside the level slots 0 to 49\n");
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{0}));
  EXPECT_FALSE(serialization.ShowTryAgain);

  // A restart in play says "Try again" (the replays' mistakes); in the finale, nothing.
  Enter(18);
  serialization.RestartOrContinue();
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{18}));
  EXPECT_FALSE(serialization.ShowTryAgain);
}

TEST_F(SerializationProgressionTest, ContinueBelowThePlayLevelsLoadsTheAutosavePausedOnThePauseMenu) {
  int pauseMenus = 0;
  serialization.Hooks.OpenPauseMenu = [&pauseMenus] { ++pauseMenus; };
  Enter(13);
  WriteFileText(serialization.AutosavePath, LevelWithMarkers({1300}));
  Enter(3);
  Engine::Instance().Paused = false;
  serialization.RestartOrContinue();
  EXPECT_EQ(serialization.CurrentLevel, 13);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{1300}));
  EXPECT_TRUE(Engine::Instance().Paused);
  EXPECT_EQ(pauseMenus, 1);
  EXPECT_FALSE(serialization.ShowTryAgain);
}

TEST_F(SerializationProgressionTest, StepsOntoUnreadableSlotsGoOnToWhereThoseSlotsLead) {
  int pauseMenus = 0;
  serialization.Hooks.OpenPauseMenu = [&pauseMenus] { ++pauseMenus; };
  for (int slot : {0, 1, 3, 12, 18}) std::filesystem::remove(SlotFile(slot));
  auto deliver = [] { EventSystem::Instance().Update(0.0f, false); };

  // Listening for the steps it posts. (Both splash screens unreadable at start-up:
  // the real game in StartupTest.)
  StdoutOf([&] {
    serialization.Initialize();
    deliver();
  });
  // A missing play level is passed over; the missing finale leads to the credits,
  // and with those missing too, back to the menu the finale's credits lead to.
  Enter(11);
  serialization.NextLevel();
  deliver();
  EXPECT_EQ(serialization.CurrentLevel, 13);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{13}));
  Enter(17);
  serialization.NextLevel();
  deliver();
  EXPECT_EQ(serialization.CurrentLevel, 2);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{2}));

  // Credits opened from a play level, missing, and no autosave to continue from:
  // that level starts over, under the pause menu.
  Enter(14);
  serialization.ShowCredits();
  deliver();
  EXPECT_EQ(serialization.CurrentLevel, 14);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{14}));
  EXPECT_EQ(pauseMenus, 1);

  // A reload of the slot being played keeps its world when its file has gone.
  std::filesystem::remove(SlotFile(14));
  serialization.RestartOrContinue();
  deliver();
  EXPECT_EQ(serialization.CurrentLevel, 14);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{14}));
}

TEST_F(SerializationProgressionTest, CheckpointSavesOnlyInPlayLevelsAndSaysSoOnlyWhenSavedAndSaveAndLoadUseTheFileName) {
  Enter(5);
  serialization.Checkpoint();
  EXPECT_FALSE(std::filesystem::exists(serialization.AutosavePath));
  EXPECT_FALSE(serialization.ShowCheckpoint);

  Enter(18);
  serialization.Checkpoint();
  EXPECT_FALSE(std::filesystem::exists(serialization.AutosavePath));

  Enter(11);
  EXPECT_EQ(StdoutOf([&] { serialization.Execute(SerializationCommand::Checkpoint); }), "Game saved\n\n");
  EXPECT_TRUE(serialization.ShowCheckpoint);
  serialization.Load(serialization.AutosavePath);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{11}));

  // A checkpoint that fails to save does not claim the game was saved.
  serialization.ShowCheckpoint = false;
  WriteFileText(dir.File("blocker"), "x");
  serialization.AutosavePath = dir.File("blocker") + "/autosave.json";
  EXPECT_NE(StdoutOf([&] { serialization.Checkpoint(); }).find("Failed to save"), std::string::npos);
  EXPECT_FALSE(serialization.ShowCheckpoint);

  // Save and load commands use the file they name; numbers that are no command do nothing.
  Enter(10);
  const std::string file = dir.File("named.json");
  serialization.Execute(SerializationCommand::SaveGame, file);
  Enter(20);
  serialization.Execute(SerializationCommand::LoadGame, file);
  serialization.Execute(9);
  serialization.Execute(-1);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{10}));
}

TEST_F(SerializationProgressionTest, EnterMainMenuStartsTheMusicOnceAndOpensTheMenuPausedAndMenuCreditsSaveNothing) {
  EventRecorder<AudioEvent> sounds;
  int menus = 0;
  serialization.Hooks.OpenMainMenu = [&menus] { ++menus; };
  Engine::Instance().Paused = false;
  serialization.Execute(SerializationCommand::EnterMainMenu);
  EXPECT_EQ(serialization.CurrentLevel, 2);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{2}));
  EXPECT_TRUE(Engine::Instance().Paused);
  EXPECT_EQ(menus, 1);
  serialization.EnterMainMenu();
  EventSystem::Instance().Update(0.0f, false);
  ASSERT_EQ(sounds.Events.size(), 1u);
  EXPECT_EQ(sounds.Events[0].Command, AudioCommand::PlayMusic);
  EXPECT_TRUE(sounds.Events[0].Loop);
  EXPECT_EQ(sounds.Events[0].SoundName, "bgm_looped.ogg");
  EXPECT_EQ(menus, 2);
  // The credits from a menu world just load the credits world: no player, nothing saved.
  Enter(1);
  serialization.ShowCredits();
  EXPECT_EQ(serialization.CurrentLevel, 3);
  EXPECT_EQ(serialization.LastLevel, 1);
  EXPECT_EQ(MarkersInWorld(), (std::vector<float>{3}));
  EXPECT_FALSE(std::filesystem::exists(serialization.AutosavePath));
}

// Title and notices -------------------------------------------------------------

class SerializationNoticeTest : public SerializationProgressionTest {
 protected:
  // One frame of the serializer, then the EventSystem delivers what it posted.
  std::vector<GraphicsEvent> Frame(float dt) {
    texts.Events.clear();
    Serialization::Instance().Update(dt, false);
    EventSystem::Instance().Update(0.0f, false);
    return texts.Events;
  }
  EventRecorder<GraphicsEvent> texts;
};

TEST_F(SerializationNoticeTest, TheTitleShowsThreeSecondsAfterEachLoadAndNoticesHalfASecond) {
  serialization.Hooks.Camera = [] { return CameraView{{5.0f, -2.0f}, 10.0f, 8.0f}; };
  Enter(12);
  for (int second = 1; second <= 3; ++second) {
    auto shown = Frame(1.0f);
    ASSERT_EQ(shown.size(), 1u) << second;
    EXPECT_EQ(shown[0].Command, GraphicsCommand::ShowText);
    EXPECT_EQ(shown[0].Text, "Level 3 out of 8");
    EXPECT_EQ(shown[0].Size, 12.0f);
    EXPECT_FLOAT_EQ(shown[0].X, 5.0f - 10.0f / 4.5f);
    EXPECT_FLOAT_EQ(shown[0].Y, 8.0f * 0.5f - 2.0f - 4.0f);
    EXPECT_EQ(shown[0].Lifetime, 0.0f);
    EXPECT_FLOAT_EQ(shown[0].Color.B, 0.37647f);
  }
  EXPECT_TRUE(Frame(0.01f).empty());
  // A restart shows it again.
  serialization.RestartOrContinue();
  serialization.ShowTryAgain = false;
  EXPECT_EQ(Frame(0.1f).size(), 1u);

  Enter(17);
  EXPECT_EQ(Frame(0.1f).at(0).Text, "Level 8 out of 8");
  Enter(18);
  EXPECT_TRUE(Frame(0.1f).empty());
  Enter(9);
  EXPECT_TRUE(Frame(0.1f).empty());

  // Notices last half a second and use the default camera without one.
  serialization.Hooks.Camera = nullptr;
  Enter(5);  // no title below the play levels
  const float halfWidth = 32.0f * 16.0f / 9.0f;
  serialization.ShowCheckpoint = true;
  for (int frame = 0; frame < 2; ++frame) {
    auto shown = Frame(0.2f);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, "Checkpoint reached");
    EXPECT_EQ(shown[0].Size, 9.0f);
    EXPECT_FLOAT_EQ(shown[0].X, -halfWidth / 5.5f);
    EXPECT_EQ(shown[0].Y, 0.0f);
  }
  EXPECT_TRUE(Frame(0.2f).empty());
  EXPECT_FALSE(serialization.ShowCheckpoint);
  EXPECT_EQ(serialization.MessageTimer, 0.0f);

  serialization.ShowTryAgain = true;
  auto shown = Frame(0.5f);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Text, "Try again");
  EXPECT_FLOAT_EQ(shown[0].X, -halfWidth / 10.0f);
  EXPECT_TRUE(Frame(0.01f).empty());
  EXPECT_FALSE(serialization.ShowTryAgain);
}

}  // namespace
}  // namespace Framework

namespace Framework {
namespace {

// The camera jumps to the new player through this hook, so it must run once the
// new world stands, for every change of level however it was asked for, and
// not for a restart, which keeps the view.
TEST_F(SerializationProgressionTest, TheLevelChangedHookSeesTheNewWorldAndSkipsRestarts) {
  std::vector<std::vector<float>> seen;
  serialization.Hooks.LevelChanged = [&] { seen.push_back(MarkersInWorld()); };
  Enter(10);
  serialization.NextLevel();
  serialization.RestartOrContinue();
  serialization.Checkpoint();
  Enter(2);  // the main menu
  serialization.RestartOrContinue();  // continue: the autosave of slot 11
  EXPECT_EQ(seen, (std::vector<std::vector<float>>{{10}, {11}, {2}, {11}}));
  serialization.Hooks.LevelChanged = nullptr;
}

}  // namespace
}  // namespace Framework
