// The start-up splashes: the skip to the main menu by key (latching
// the menus' activate key) or by click (consuming it).
#include <gtest/gtest.h>

#include <SDL.h>

#include <array>
#include <cstdint>

#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/Windows.h"
#include "graphics/Sprite.h"
#include "levels/LevelSlots.h"
#include "menus/MenuSystem.h"
#include "objects/Factory.h"
#include "support/Files.h"
#include "support/LevelFixture.h"
#include "support/WorldSteps.h"

namespace Framework {
namespace {

const char* const kSplashLevel = R"({"Factory": {"Game_Objects": [
  {"Transform": {"Scale": {"X": 10, "Y": 10}}, "Sprite": {"Filename": "", "Alfa": 0}, "SplashScript": ""}]}})";

class SplashScriptTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    WriteFileText(SlotFile(LevelSlot::FirstSplash), kSplashLevel);
    WriteFileText(SlotFile(LevelSlot::SecondSplash), kSplashLevel);
    WriteMarkedSlots(LevelSlot::MainMenu, LevelSlot::MainMenu);
  }
  void Start() {
    Engine::Instance().Paused = false;
    MenuSystem::Instance().ActivateLatch = false;
    Serialization& levels = Serialization::Instance();
    levels.CurrentLevel = LevelSlot::FirstSplash;
    levels.Load(SlotFile(LevelSlot::FirstSplash));
  }
  static std::int32_t Level() { return Serialization::Instance().CurrentLevel; }
  static float Alpha() { return Factory::Instance().Objects.begin()->second->GetComponent<Sprite>()->Alpha; }
};

// The hand-over on time (title, controls card, main menu) is played with the
// shipped screens in ReplayTest.WholeGameAsANewPlayer.
TEST_F(SplashScriptTest, AKeyOrAClickSkipsToTheMainMenu) {
  for (SDL_Scancode key : {SDL_SCANCODE_SPACE, SDL_SCANCODE_RETURN, SDL_SCANCODE_ESCAPE}) {
    Start();
    StepWorld(2);
    std::array<std::uint8_t, SDL_NUM_SCANCODES> keys{};
    keys[key] = 1;
    KeyboardEvent press;
    press.KeyState = keys.data();
    EventSystem::Instance().Send(press);
    StepWorld();
    EXPECT_EQ(Level(), LevelSlot::MainMenu) << key;
    EXPECT_TRUE(MenuSystem::Instance().ActivateLatch) << "the held key must not press NEW GAME as well";
  }
  struct Click {
    std::uint8_t button;
    std::uint32_t kind;
  };
  for (Click click : {Click{1, Windows::ButtonUp}, Click{3, Windows::ButtonDown}}) {
    Start();
    StepWorld(2);
    MouseRecord& mouse = Windows::Instance().Mouse;
    mouse.Button = click.button;
    mouse.ButtonEventType = click.kind;
    StepWorld();
    EXPECT_EQ(Level(), LevelSlot::MainMenu) << int{click.button};
    EXPECT_EQ(mouse.ButtonEventType, 0u) << "consumed: no menu sees the click";
    EXPECT_FALSE(MenuSystem::Instance().ActivateLatch);
  }
  // A left press alone does not skip; its release will.
  Start();
  MouseRecord& mouse = Windows::Instance().Mouse;
  mouse.Button = 1;
  mouse.ButtonEventType = Windows::ButtonDown;
  StepWorld();
  EXPECT_EQ(Level(), LevelSlot::FirstSplash);
  mouse = MouseRecord{};
}

}  // namespace
}  // namespace Framework
