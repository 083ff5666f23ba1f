// The credits hand back to where the player came from, at the end of the scroll
// or on a left click: the main menu, or the interrupted game under the pause menu.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/Engine.h"
#include "engine/Windows.h"
#include "levels/LevelSlots.h"
#include "objects/Factory.h"
#include "support/Files.h"
#include "support/LevelFixture.h"
#include "support/WorldSteps.h"

namespace Framework {
namespace {

const char* const kCreditsLevel = R"({"Factory": {"Game_Objects": [
  {"Transform": {"Position": {"X": 0, "Y": 60}}, "CreditsScript": ""}]}})";

using CreditsScriptTest = WorldFixture;

TEST_F(CreditsScriptTest, CreditsReturnToWhereThePlayerCameFrom) {
  WriteFileText(SlotFile(LevelSlot::Credits), kCreditsLevel);
  WriteMarkedSlots(LevelSlot::MainMenu, LevelSlot::MainMenu);
  WriteFileText(dir.File("autosave.json"), LevelWithMarkers({12}));
  struct Case {
    std::int32_t cameFrom;
    bool click;
    std::int32_t returnsTo;
  };
  const Case cases[] = {
      {LevelSlot::MainMenu, false, LevelSlot::MainMenu}, {LevelSlot::MainMenu, true, LevelSlot::MainMenu},
      {LevelSlot::Finale, true, LevelSlot::MainMenu},    {12, false, 12},
      {12, true, 12},
  };
  Serialization& levels = Serialization::Instance();
  for (const Case& c : cases) {
    Engine::Instance().Paused = false;
    levels.LastLevel = c.cameFrom;
    levels.CurrentLevel = LevelSlot::Credits;
    levels.Load(SlotFile(LevelSlot::Credits));
    StepWorld(60);  // one second of scrolling: 5 units, still short of the end
    EXPECT_EQ(levels.CurrentLevel, LevelSlot::Credits);
    if (c.click) {
      MouseRecord& mouse = Windows::Instance().Mouse;
      mouse.Button = 1;
      mouse.ButtonEventType = Windows::ButtonUp;
      StepWorld();
      EXPECT_EQ(mouse.ButtonEventType, 0u) << "consumed";
    } else {
      StepWorld(62);  // past y 70
    }
    EXPECT_EQ(levels.CurrentLevel, c.returnsTo) << "from " << c.cameFrom << (c.click ? " by click" : " by scroll");
    EXPECT_TRUE(Engine::Instance().Paused) << "the menu (main or pause) holds the game";
    if (c.returnsTo == 12) {
      EXPECT_EQ(MarkersInWorld(), (std::vector<float>{12}));
    }
  }
}

}  // namespace
}  // namespace Framework
