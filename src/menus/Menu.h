// Menu: one of the six menus, a plain record standing at a place in the world: a
// view-sized header (a tint or a picture), a small panel with the title, and the
// buttons it owns. The MenuSystem builds, places and shows it; Graphics draws it.
// Invariant: Buttons holds exactly ButtonCount buttons under the indices 1 to
// ButtonCount, each with this menu as its Owner.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/Events.h"
#include "engine/Vec3.h"
#include "graphics/Sprite.h"
#include "menus/MenuButton.h"

namespace Framework {

// The six menus by id; 0 means no menu.
struct MenuId {
  enum Value : std::int32_t {
    None = 0,
    Main = 1,
    Pause = 2,
    Confirm = 3,  // "REALLY?"
    HowToPlay = 4,
    Options = 5,
    LevelSelect = 6,
  };
  static constexpr std::int32_t Count = 6;
};

struct Menu {
  std::int32_t Id = 0;
  std::u16string Title;
  Vec3 BackgroundPosition{};
  // The panel behind the title.
  Sprite Background;
  Vec3 BackgroundScale{};
  Vec3 TitlePosition{};
  float TitleSize = 10.0f;
  Color3 TitleColor{1.0f, 1.0f, 0.3765f};
  // The menu's centre; the view glides here when the menu opens.
  Vec3 HeaderPosition{};
  // The whole view: (W, H).
  Vec3 HeaderScale{0.0f, 0.0f, 1.0f};
  // The view-sized tint drawn under the first shown menu, or the picture of menu 4.
  Sprite Header;
  std::int32_t ButtonCount = 0;
  bool Shown = false;
  // ButtonId of the button that opened this menu (the confirmation and the options).
  std::int32_t Opener = 0;
  // Iterated in index order.
  std::map<std::int32_t, std::unique_ptr<MenuButton>> Buttons;
};

}  // namespace Framework
