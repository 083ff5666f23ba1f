// MenuButton: one button of a menu: where it stands, how it looks, what it says and
// what it does when activated. A plain record; the MenuSystem lays it out and gives
// it its label and action (AssignButton) from its ButtonId.
// Invariant: ButtonId is 1 to 29, unique over all menus; a menu's buttons take the
// ids from its first one on in Index order; Owner outlives the button (a menu owns
// its buttons).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/Events.h"
#include "engine/Vec3.h"
#include "graphics/Sprite.h"

namespace Framework {

struct Menu;

// The ButtonId of every button, in menu order; it selects the button's row of
// MenuSystem::ButtonRows. The buttons between FirstLevelButton and LastLevelButton
// share the level buttons' row.
struct MenuButtonId {
  enum Value : std::int32_t {
    NewGame = 1,
    SelectLevel = 2,
    MainHowToPlay = 3,
    MainOptions = 4,
    MainCredits = 5,
    MainQuit = 6,
    Resume = 7,
    PauseHowToPlay = 8,
    PauseOptions = 9,
    PauseCredits = 10,
    RestartLevel = 11,
    ToMainMenu = 12,
    PauseQuit = 13,
    Yes = 14,
    No = 15,
    HowToPlayBack = 16,
    ScreenMode = 17,
    Music = 18,
    Audio = 19,
    Language = 20,
    OptionsBack = 21,
    NextPage = 22,
    FirstLevelButton = 23,
    LastLevelButton = 27,
    PreviousPage = 28,
    LevelSelectMainMenu = 29,
  };
  static constexpr std::int32_t Count = 29;
};

struct MenuButton {
  std::u16string Label;
  Vec3 LabelPosition{};
  float LabelSize = 10.0f;
  Color3 LabelColor{0.24f, 0.91f, 0.42f};
  Vec3 Position{};
  // Width and height; the third value is unused.
  Vec3 Scale{0.0f, 1.0f, 0.0f};
  Sprite Look;
  std::int32_t ButtonId = 0;
  std::int32_t Index = 0;
  Menu* Owner = nullptr;
  // Run on activation; an empty action does nothing.
  std::function<void()> Action;
};

}  // namespace Framework
