// The menus as a player meets them: the whole game running frame by frame, keys
// through the key-state seam, Escape, focus and close through SDL's event queue,
// and clicks through the mouse record. Level slots are small marked files in a
// private folder. Needs a display (the tests run a virtual one).
#include "menus/MenuSystem.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "audio/AudioSystem.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "game/Startup.h"
#include "engine/Windows.h"
#include "graphics/Graphics.h"
#include "levels/LevelSlots.h"
#include "levels/Localisation.h"
#include "levels/Serialization.h"
#include "menus/MenuLook.h"
#include "menus/MenuNavigation.h"
#include "support/Frames.h"
#include "support/LevelFixture.h"

namespace Framework {
namespace {

// SDL_mixer's master volume runs from 0 to this.
constexpr int kFullMixerVolume = MIX_MAX_VOLUME;
constexpr float kStep = 0.025f;

class MenuSystemTest : public LevelFixture {
 protected:
  void SetUp() override {
    StartGame();
    LevelFixture::SetUp();
    WriteMarkedSlots(0, LevelSlot::Finale);
    keys.fill(0);
    Windows::Instance().SetKeyState(keys.data());
    // The pointer rests in the window's corner, away from every button.
    SDL_WarpMouseInWindow(Windows::Instance().Window, 1, 1);
    Engine::Instance().Running = true;
    // The window's first focus and exposure events arrive before the menus open.
    for (int i = 0; i < 5; ++i) {
      SDL_Delay(20);
      Frames(1);
    }
    Serialization::Instance().EnterMainMenu();
    Frames(2);
  }
  void TearDown() override {
    Windows::Instance().SetKeyState(nullptr);
    Windows::Instance().Pad.SetState(nullptr);
    StopGame();
  }

  void Frames(int count) { RunFrames(count, kStep); }
  void FinishGlide() {
    for (int i = 0; i < 100 && menus.Transition; ++i) Frames(1);
    ASSERT_FALSE(menus.Transition);
  }
  // Holds a key for one frame, then lets it go for one.
  void Tap(SDL_Scancode key) {
    keys[key] = 1;
    Frames(1);
    keys[key] = 0;
    Frames(1);
  }
  void Activate() { Tap(SDL_SCANCODE_RETURN); }
  // One SDL event (a window event, a key or the quit request), then one frame.
  void PushEvent(std::uint32_t type, std::uint8_t windowEvent = 0) {
    SDL_Event e{};
    e.type = type;
    e.window.windowID = SDL_GetWindowID(Windows::Instance().Window);
    if (type == SDL_WINDOWEVENT) e.window.event = windowEvent;
    if (type == SDL_KEYDOWN) e.key = {type, 0, e.window.windowID, SDL_PRESSED, 0, 0, 0, {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0, 0}};
    SDL_PushEvent(&e);
    Frames(1);
  }
  void Escape() { PushEvent(SDL_KEYDOWN); }
  // A left release with the cursor at a world position, handled as the next menu
  // update sees it.
  void ReleaseAt(float x, float y) {
    MouseRecord& mouse = Windows::Instance().Mouse;
    mouse.MouseX = x;
    mouse.MouseY = y;
    mouse.Button = SDL_BUTTON_LEFT;
    mouse.ButtonEventType = Windows::ButtonUp;
    menus.MouseActivity = true;
    menus.Update(0.0f, true);
    EventSystem::Instance().Update(0.0f, true);
  }
  void Click(std::int32_t menu, std::int32_t index) {
    const MenuButton* button = menus.FindButton(menu, index);
    ASSERT_NE(button, nullptr);
    ReleaseAt(button->Position.x, button->Position.y);
  }
  MenuButton& Button(std::int32_t menu, std::int32_t index) { return *menus.FindButton(menu, index); }
  bool Highlighted(std::int32_t menu, std::int32_t index) {
    return Button(menu, index).Look.Filename == MenuLook::PressedButtonTexture;
  }
  static int MixerVolume() { return Mix_MasterVolume(-1); }
  // From the main menu into level 1, playing.
  void StartNewGame() {
    Click(MenuId::Main, 1);
    ASSERT_EQ(Serialization::Instance().CurrentLevel, LevelSlot::FirstPlay);
    Frames(1);
  }

  MenuSystem& menus = MenuSystem::Instance();
  Engine& engine = Engine::Instance();
  std::array<std::uint8_t, SDL_NUM_SCANCODES> keys{};
};

TEST_F(MenuSystemTest, OpeningHighlightsButtonOneAndAHeldKeyMovesOnce) {
  ASSERT_EQ(menus.CurrentMenu, MenuId::Main);
  EXPECT_TRUE(engine.Paused);
  EXPECT_TRUE(Highlighted(MenuId::Main, 1));

  keys[SDL_SCANCODE_UP] = 1;
  Frames(5);
  EXPECT_EQ(menus.Selected, 2);
  EXPECT_TRUE(Highlighted(MenuId::Main, 2));
  EXPECT_FALSE(Highlighted(MenuId::Main, 1));
  keys[SDL_SCANCODE_UP] = 0;
  Frames(1);
  Tap(SDL_SCANCODE_W);
  EXPECT_EQ(menus.Selected, 3);

  // A menu opens on its first button, whatever was highlighted before.
  menus.SetMenu(MenuId::Pause);
  menus.SetMenu(MenuId::Main);
  EXPECT_EQ(menus.Selected, 1);
  EXPECT_TRUE(Highlighted(MenuId::Main, 1));
  EXPECT_FALSE(Highlighted(MenuId::Main, 3));
}

TEST(MenuNavigation, ArrowKeysFollowTheShapeOfEachMenu) {
  using D = MenuDirection;
  struct Case {
    std::int32_t menu, count, from;
    D direction;
    bool lastLeft;
    std::int32_t to;
  };
  const Case cases[] = {
      // Level select, half circle of 8 with the top at 4.
      {MenuId::LevelSelect, 8, 1, D::Left, false, 7},   // NEXT mirrors to PREVIOUS
      {MenuId::LevelSelect, 8, 8, D::Right, false, 0},  // MAIN MENU has nothing to its right
      {MenuId::LevelSelect, 8, 4, D::Down, true, 5},
      {MenuId::LevelSelect, 8, 4, D::Down, false, 3},
      {MenuId::LevelSelect, 8, 6, D::Up, false, 5},
      // Main menu, even arc of 6: 3 and 4 share the top.
      {MenuId::Main, 6, 1, D::Up, false, 2},
      {MenuId::Main, 6, 4, D::Up, false, 0},
      {MenuId::Main, 6, 3, D::Down, true, 4},
      {MenuId::Main, 6, 5, D::Down, false, 6},
      {MenuId::Main, 6, 2, D::Left, false, 5},
      {MenuId::Main, 6, 5, D::Left, false, 0},
      // Pause menu, odd arc of 7 with 4 alone at the top.
      {MenuId::Pause, 7, 4, D::Up, false, 0},
      {MenuId::Pause, 7, 4, D::Left, false, 5},
      {MenuId::Pause, 7, 6, D::Right, false, 2},
      {MenuId::Options, 5, 3, D::Down, true, 4},
      // The confirmation row wraps; the picture menu never moves.
      {MenuId::Confirm, 2, 2, D::Right, false, 1},
      {MenuId::Confirm, 2, 1, D::Up, false, 0},
      {MenuId::HowToPlay, 1, 1, D::Right, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NavigationTarget(c.menu, c.count, c.from, c.direction, c.lastLeft), c.to)
        << "menu " << c.menu << " from " << c.from << " direction " << static_cast<int>(c.direction);
  }
}

TEST_F(MenuSystemTest, KeysWaitForTheGlideAndTheLevelPagesTurn) {
  Tap(SDL_SCANCODE_UP);  // SELECT LEVEL
  Activate();
  ASSERT_EQ(menus.CurrentMenu, MenuId::LevelSelect);
  ASSERT_TRUE(menus.Transition);
  Activate();  // during the glide: NEXT does not turn the page
  EXPECT_EQ(menus.LevelPage, 0);
  FinishGlide();
  EXPECT_FALSE(menus.FindMenu(MenuId::Main)->Shown);
  EXPECT_EQ(Button(MenuId::LevelSelect, 2).Label, u"LEVEL 5");
  EXPECT_EQ(Button(MenuId::LevelSelect, 6).Label, u"LEVEL 1");

  Activate();  // NEXT
  EXPECT_EQ(menus.LevelPage, 5);
  EXPECT_EQ(Button(MenuId::LevelSelect, 6).Label, u"LEVEL 6");
  EXPECT_EQ(Button(MenuId::LevelSelect, 4).Label, u"LEVEL 8");
  // The two buttons past level 8 show nothing and do nothing; NEXT is spent.
  for (std::int32_t index : {1, 2, 3}) {
    Click(MenuId::LevelSelect, index);
    EXPECT_EQ(menus.CurrentMenu, MenuId::LevelSelect);
    EXPECT_EQ(menus.LevelPage, 5);
  }
  EXPECT_TRUE(Button(MenuId::LevelSelect, 2).Label.empty());
  EXPECT_TRUE(Button(MenuId::LevelSelect, 3).Label.empty());

  Click(MenuId::LevelSelect, 6);  // LEVEL 6
  Frames(1);
  EXPECT_EQ(Serialization::Instance().CurrentLevel, SlotOfLevelNumber(6));
  EXPECT_EQ(MarkersInWorld(), std::vector<float>{static_cast<float>(SlotOfLevelNumber(6))});
  EXPECT_EQ(menus.CurrentMenu, MenuId::None);
  EXPECT_FALSE(engine.Paused);
}

TEST_F(MenuSystemTest, OnlyAReleaseOverAButtonActivatesItEvenWhenTheKeysChoseIt) {
  const Menu& main = *menus.FindMenu(MenuId::Main);
  ReleaseAt(main.HeaderPosition.x, main.HeaderPosition.y - main.HeaderScale.y * 0.45f);
  ReleaseAt(main.HeaderPosition.x + main.HeaderScale.x, main.HeaderPosition.y);
  EXPECT_EQ(menus.CurrentMenu, MenuId::Main);
  EXPECT_TRUE(Highlighted(MenuId::Main, 1));

  Tap(SDL_SCANCODE_UP);
  Tap(SDL_SCANCODE_UP);  // HOW TO PLAY, by the keys
  Click(MenuId::Main, 3);
  EXPECT_EQ(menus.CurrentMenu, MenuId::HowToPlay);
  FinishGlide();
  Activate();  // BACK
  EXPECT_EQ(menus.CurrentMenu, MenuId::Main);
}

TEST_F(MenuSystemTest, QuitThenNoReturnsToTheAskingMenuAndTheCloseRequestAsksOnce) {
  Click(MenuId::Main, 6);  // QUIT GAME
  ASSERT_EQ(menus.CurrentMenu, MenuId::Confirm);
  FinishGlide();
  Tap(SDL_SCANCODE_RIGHT);  // NO
  Activate();
  EXPECT_EQ(menus.CurrentMenu, MenuId::Main);
  EXPECT_TRUE(Highlighted(MenuId::Main, 1));
  EXPECT_TRUE(menus.FindMenu(MenuId::Confirm)->Shown);
  FinishGlide();
  EXPECT_FALSE(menus.FindMenu(MenuId::Confirm)->Shown);

  // Another part of the game asks its own question: NO runs its answer and closes the menus.
  bool refused = false;
  menus.Ask(u"RESTORE BACKUP?", nullptr, [&] { refused = true; });
  EXPECT_EQ(menus.FindMenu(MenuId::Confirm)->Title, u"RESTORE BACKUP?");
  FinishGlide();
  Tap(SDL_SCANCODE_RIGHT);  // NO
  Activate();
  EXPECT_TRUE(refused);
  EXPECT_EQ(menus.CurrentMenu, MenuId::None);

  // Closing the window asks the same question; asking again changes nothing.
  PushEvent(SDL_QUIT);
  ASSERT_EQ(menus.CurrentMenu, MenuId::Confirm);
  EXPECT_EQ(menus.FindMenu(MenuId::Confirm)->Title, u"REALLY?");
  FinishGlide();
  const Vec3 asked = menus.FindMenu(MenuId::Confirm)->HeaderPosition;
  PushEvent(SDL_QUIT);
  EXPECT_FALSE(menus.Transition);
  EXPECT_EQ(menus.FindMenu(MenuId::Confirm)->HeaderPosition.x, asked.x);
  EXPECT_TRUE(engine.Running);
  Activate();  // YES
  EXPECT_FALSE(engine.Running);
}

// In play, Escape, a lost focus and the close request all lead through the pause menu.
TEST_F(MenuSystemTest, EscapeFocusAndCloseLeadThroughThePauseMenuAndTheConfirmedRestartPlaysAtFullVolume) {
  StartNewGame();
  EXPECT_FALSE(engine.Paused);
  EXPECT_EQ(menus.CurrentMenu, MenuId::None);

  Escape();
  EXPECT_TRUE(engine.Paused);
  EXPECT_EQ(menus.CurrentMenu, MenuId::Pause);
  EXPECT_EQ(MixerVolume(), kFullMixerVolume / 4);
  Escape();
  EXPECT_FALSE(engine.Paused);
  EXPECT_EQ(menus.CurrentMenu, MenuId::None);
  EXPECT_EQ(MixerVolume(), kFullMixerVolume);

  Escape();
  Click(MenuId::Pause, 5);  // RESTART LEVEL
  FinishGlide();
  EXPECT_EQ(MixerVolume(), kFullMixerVolume / 4);
  Activate();  // YES
  Frames(1);
  EXPECT_FALSE(engine.Paused);
  EXPECT_EQ(menus.CurrentMenu, MenuId::None);
  EXPECT_FALSE(menus.FindMenu(MenuId::Confirm)->Shown);
  EXPECT_EQ(MixerVolume(), kFullMixerVolume);
  EXPECT_TRUE(Serialization::Instance().ShowTryAgain);

  // Focus coming back leaves the game paused: the player resumes it.
  PushEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
  PushEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED);
  EXPECT_TRUE(engine.Paused);
  EXPECT_EQ(menus.CurrentMenu, MenuId::Pause);
  Activate();  // RESUME GAME
  EXPECT_FALSE(engine.Paused);
  // Closing the window asks first; NO goes back to the pause menu.
  PushEvent(SDL_QUIT);
  EXPECT_TRUE(engine.Paused);
  EXPECT_EQ(menus.CurrentMenu, MenuId::Confirm);
  FinishGlide();
  Tap(SDL_SCANCODE_RIGHT);  // NO
  Activate();
  EXPECT_EQ(menus.CurrentMenu, MenuId::Pause);
  FinishGlide();
  Click(MenuId::Pause, 6);  // TO MAIN MENU
  FinishGlide();
  Click(MenuId::Confirm, 1);  // YES
  EXPECT_EQ(Serialization::Instance().CurrentLevel, LevelSlot::MainMenu);
  EXPECT_EQ(menus.CurrentMenu, MenuId::Main);
  EXPECT_TRUE(engine.Paused);
  EXPECT_EQ(MixerVolume(), kFullMixerVolume);
}

// With a controller alone: the d-pad walks to OPTIONS, A opens it, B steps back.
TEST_F(MenuSystemTest, TheControllerWalksToTheOptionsAndBack) {
  Gamepad::State pad;
  Windows::Instance().Pad.SetState(&pad);
  auto press = [&](bool Gamepad::State::*button) {
    pad.*button = true;
    Frames(1);
    pad.*button = false;
    Frames(1);
  };
  FinishGlide();
  press(&Gamepad::State::DpadUp);
  press(&Gamepad::State::DpadUp);
  press(&Gamepad::State::DpadLeft);  // across the top of the arc
  ASSERT_EQ(menus.Selected, 4);
  ASSERT_EQ(Button(MenuId::Main, 4).Label, u"OPTIONS");
  press(&Gamepad::State::A);
  FinishGlide();
  EXPECT_EQ(menus.CurrentMenu, MenuId::Options);
  press(&Gamepad::State::B);
  FinishGlide();
  EXPECT_EQ(menus.CurrentMenu, MenuId::Main);
}

TEST_F(MenuSystemTest, OptionsTogglesShowWhatAClickWouldDoAndTheLanguageRelabels) {
  Click(MenuId::Main, 4);  // OPTIONS
  FinishGlide();
  MenuButton& music = Button(MenuId::Options, 2);
  MenuButton& language = Button(MenuId::Options, 4);
  EXPECT_EQ(music.Label, u"MUTE MUSIC");
  Click(MenuId::Options, 2);
  EXPECT_TRUE(AudioSystem::Instance().MusicPaused);
  EXPECT_EQ(music.Label, u"UNMUTE MUSIC");
  Click(MenuId::Options, 2);
  EXPECT_FALSE(AudioSystem::Instance().MusicPaused);
  EXPECT_EQ(music.Label, u"MUTE MUSIC");

  Graphics& graphics = Graphics::Instance();
  // Centred on its button, and within it.
  auto centred = [&](const MenuButton& b) {
    const float width = graphics.TextWidth(Localisation::Instance().Translate(b.Label), b.LabelSize);
    return b.LabelPosition.x == b.Position.x - width / 2.0f && width < b.Scale.x;
  };
  Click(MenuId::Options, 4);
  EXPECT_EQ(Localisation::Instance().Language, 1);
  EXPECT_EQ(language.Label, u"ENGLISH");
  EXPECT_EQ(language.LabelSize, MenuSystem::RussianTextSize);
  // The longer Russian label may be drawn a little smaller to stay inside its button.
  EXPECT_LE(music.LabelSize, MenuSystem::RussianTextSize);
  EXPECT_EQ(menus.FindMenu(MenuId::Options)->TitleSize, MenuSystem::RussianTextSize);
  EXPECT_TRUE(centred(music));
  EXPECT_TRUE(centred(language));
  // The Russian labels name what a click does too: playing music offers "switch off".
  Localisation& words = Localisation::Instance();
  EXPECT_EQ(words.Translate(music.Label), u"ВЫКЛЮЧИТЬ МУЗЫКУ");
  EXPECT_EQ(words.Translate(Button(MenuId::Options, 3).Label), u"ВЫКЛЮЧИТЬ ЗВУКИ");
  Click(MenuId::Options, 2);
  EXPECT_EQ(words.Translate(music.Label), u"ВКЛЮЧИТЬ МУЗЫКУ");
  Click(MenuId::Options, 2);
  Click(MenuId::Options, 4);
  EXPECT_EQ(Localisation::Instance().Language, 0);
  EXPECT_EQ(language.Label, u"RUSSIAN");
  EXPECT_EQ(music.LabelSize, MenuSystem::EnglishTextSize);
  EXPECT_TRUE(centred(music));

  // Escape steps back to the main menu.
  Escape();
  EXPECT_EQ(menus.CurrentMenu, MenuId::Main);
}

}  // namespace
}  // namespace Framework
