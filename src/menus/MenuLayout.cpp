// Where the menus and their buttons stand: building the six menus, the arcs, the
// row and the picture layouts, placing a menu when it opens, and centring texts.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Vec2.h"
#include "graphics/Graphics.h"
#include "levels/Localisation.h"
#include "menus/MenuLook.h"
#include "menus/MenuSystem.h"

namespace Framework {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// The share of a button's width a label may fill, leaving the highlight's arrows free.
constexpr float kLabelRoom = 0.9f;

// The visible width and height in world units, and the camera's centre.
struct View {
  float W, H, cx, cy, cz;
};

// The arc's height follows the view's width up to 16:9; wider views flatten it,
// so its top buttons stay below the title panel instead of rising into it.
float ArcRise(float radius, const View& v) {
  constexpr float kWidestFullArc = 16.0f / 9.0f;
  return std::min(radius, radius * kWidestFullArc * v.H / v.W);
}

View CurrentView() {
  const Camera& camera = Graphics::Instance().Camera;
  return {camera.ViewHalfWidth, camera.ViewHalfHeight, camera.Position.x, camera.Position.y, camera.Position.z};
}

// What each menu holds, by id.
struct MenuSpec {
  const char16_t* title;
  // The ButtonIds of its first and last button; the buttons in between follow in order.
  std::int32_t firstButton;
  std::int32_t lastButton;
};

MenuSpec SpecOf(std::int32_t id) {
  switch (id) {
    case MenuId::Main: return {u"TUMBRIX", MenuButtonId::NewGame, MenuButtonId::MainQuit};
    case MenuId::Pause: return {u"PAUSED", MenuButtonId::Resume, MenuButtonId::PauseQuit};
    case MenuId::Confirm: return {u"REALLY?", MenuButtonId::Yes, MenuButtonId::No};
    case MenuId::HowToPlay: return {u"", MenuButtonId::HowToPlayBack, MenuButtonId::HowToPlayBack};
    case MenuId::Options: return {u"OPTIONS", MenuButtonId::ScreenMode, MenuButtonId::OptionsBack};
    case MenuId::LevelSelect: return {u"SELECT LEVEL", MenuButtonId::NextPage, MenuButtonId::LevelSelectMainMenu};
    default: return {u"", 1, 0};
  }
}

float TextSize() {
  return Localisation::Instance().Language == LanguageId::English ? MenuSystem::EnglishTextSize : MenuSystem::RussianTextSize;
}

// Buttons high on the arc (sine `s` of their angle) lean outwards, so that their
// wide faces do not meet; `rightHalf` are the ones past the middle of the arc.
void LeanOutwards(float& x, float& y, float s, bool rightHalf, Vec2 size, bool levelSelect) {
  const float nudge = rightHalf ? -size.x * 0.1f : size.x * 0.1f;
  const float lift = size.y * 0.1f;
  y += lift;
  if (s > 0.6f) x += nudge;
  if (s > 0.8f) x += nudge;
  if (s > 0.9f) {
    x += nudge;
    y += lift;
    if (!levelSelect) y += 2.0f * lift;
  }
  if (s > 0.99f) y += 2.0f * lift;
}

// Width in world units of a text as it will be drawn (translated).
float ShownWidth(const std::u16string& text, float size) {
  if (text.empty()) return 0.0f;
  return Graphics::Instance().TextWidth(Localisation::Instance().Translate(text), size);
}

// The title panel of the arc menus: left of centre, near the top of the view.
Vec3 ArcPanelPosition(const Menu& menu, const View& v) {
  return {menu.HeaderPosition.x + 2.0f - v.W / 2.5f, menu.HeaderPosition.y + v.H * 0.5f - 3.0f, 0.0f};
}

// Where a menu's view-sized header stands when built, and how it is tinted.
void SetUpHeader(Menu& menu, const View& v) {
  switch (menu.Id) {
    case MenuId::Main:
      menu.HeaderPosition = {0.0f, 0.0f, 0.0f};
      // The main-menu world (its meadow, the hero, the crates) is the backdrop; a sky
      // tint drawn over it would hide all of it.
      menu.Header.Alpha = MenuLook::SeeThroughAlpha;
      menu.Shown = true;
      break;
    case MenuId::Pause:
      menu.HeaderPosition = {0.0f, 0.0f, 0.0f};
      menu.Header.Color = MenuLook::DimTint;
      menu.Header.Alpha = MenuLook::DimAlpha;
      break;
    case MenuId::Confirm:
      menu.HeaderPosition = {v.cx - v.W, v.cy, 0.0f};
      menu.Header.Color = MenuLook::DimTint;
      menu.Header.Alpha = MenuLook::DimAlpha;
      break;
    case MenuId::HowToPlay:
      menu.HeaderPosition = {v.cx, v.cy + v.H, 0.0f};
      menu.Header.SetFilename(std::string(MenuLook::HowToPlayTexture));
      break;
    case MenuId::Options:
      menu.HeaderPosition = {v.cx - v.W, v.cy + v.H, 0.0f};
      menu.Header.Alpha = MenuLook::DimAlpha;
      menu.Opener = MenuButtonId::MainOptions;
      break;
    case MenuId::LevelSelect:
      menu.HeaderPosition = {v.cx + v.W, v.cy + v.H, 0.0f};
      menu.Header.Alpha = MenuLook::SeeThroughAlpha;
      break;
    default: break;
  }
}

// The menu's buttons, numbered from its first ButtonId on, each with its look.
void AddButtons(Menu& menu, const MenuSpec& spec) {
  const std::int32_t buttons = spec.lastButton - spec.firstButton + 1;
  for (std::int32_t index = 1; index <= buttons; ++index) {
    auto button = std::make_unique<MenuButton>();
    button->Index = index;
    button->ButtonId = spec.firstButton + index - 1;
    button->Owner = &menu;
    button->Look.Color = MenuLook::ButtonTint;
    button->Look.SetFilename(std::string(MenuLook::ButtonTexture));
    menu.Buttons[index] = std::move(button);
  }
  menu.ButtonCount = static_cast<std::int32_t>(menu.Buttons.size());
}

// The title panel: left of the arc menus' centre, above the level select and the
// confirmation's row.
void PlacePanel(Menu& menu, const View& v) {
  const Vec3& h = menu.HeaderPosition;
  switch (menu.Id) {
    case MenuId::Main:
    case MenuId::Pause:
    case MenuId::Options: menu.BackgroundPosition = ArcPanelPosition(menu, v); break;
    case MenuId::LevelSelect:
      menu.BackgroundPosition = {h.x - v.W / 3.0f, h.y + v.H * 0.5f - 3.0f, 0.0f};
      menu.BackgroundScale.x = 1.2f * ShownWidth(menu.Title, menu.TitleSize);
      break;
    case MenuId::Confirm: {
      const auto first = menu.Buttons.find(1);
      const float y = first != menu.Buttons.end() ? first->second->Position.y : 0.0f;
      menu.BackgroundPosition = {h.x - v.W / 7.0f, y + 1.5f * (v.H / 8.5f), 0.0f};
      break;
    }
    default: break;
  }
}

}  // namespace

void MenuSystem::BuildMenu(Menu& menu) {
  const View v = CurrentView();
  const MenuSpec spec = SpecOf(menu.Id);
  menu.Title = spec.title;
  menu.Background.Color = MenuLook::ButtonTint;
  menu.Header.Color = MenuLook::SkyTint;
  menu.TitleSize = EnglishTextSize;
  menu.TitleColor = MenuLook::HighlightColor;
  menu.HeaderScale = {0.0f, 0.0f, 1.0f};
  SetUpHeader(menu, v);
  AddButtons(menu, spec);
  menu.HeaderScale = {v.W, v.H, 1.0f};
  menu.BackgroundScale = {v.W / 5.5f, v.H / 7.0f, 0.0f};
  PlacePanel(menu, v);
  // The how-to-play picture needs no title panel.
  if (menu.Id != MenuId::HowToPlay) menu.Background.SetFilename(std::string(MenuLook::PanelTexture));
  menu.Background.Color = MenuLook::ButtonTint;
  LayoutButtons(menu);
  LayoutTexts(menu);
}

void MenuSystem::LayoutButtons(Menu& menu) {
  const View v = CurrentView();
  if (menu.Id == MenuId::Confirm) {
    PlaceRow(menu);
    for (auto& [index, button] : menu.Buttons) AssignButton(*button);
    return;
  }
  if (menu.Id == MenuId::HowToPlay) {
    PlaceBackButton(menu);
    menu.Header.Color = MenuLook::DimTint;
    menu.Header.Alpha = MenuLook::DimAlpha;
    for (auto& [index, button] : menu.Buttons) AssignButton(*button);
    return;
  }

  const std::int32_t n = menu.ButtonCount;
  const std::int32_t m = (n + 1) / 2;
  const float bh = v.H / 8.5f;
  float bw = v.W / 3.3f, radius = v.W / 3.0f;
  if (menu.Id == MenuId::LevelSelect) bw = v.W / 4.4f, radius = v.W / 2.8f;
  if (menu.Id == MenuId::Options) bw = v.W / 3.3f, radius = v.W / 2.8f;
  if (menu.Id == MenuId::Pause) bw = v.W / 3.0f, radius = v.W / 2.8f;
  // The level select spreads over a whole half circle, ending on the horizontal.
  const float step = menu.Id == MenuId::LevelSelect ? kPi / static_cast<float>(n) : kPi / static_cast<float>(n + 1);
  const float drop = menu.Id == MenuId::Main ? v.H * 0.5f : v.H / 2.5f;
  const Vec3& h = menu.HeaderPosition;

  for (auto& [index, button] : menu.Buttons) {
    const float a = step * static_cast<float>(index);
    const float s = std::sin(a);
    float x = h.x + radius * std::cos(a);
    float y = h.y + ArcRise(radius, v) * s;
    if (menu.Id != MenuId::Main && index == m) {
      x -= bw / 3.1f;
      y += bh * 0.5f;
    }
    y -= drop;
    LeanOutwards(x, y, s, index > m, {bw, bh}, menu.Id == MenuId::LevelSelect);
    if (n % 2 == 1 && index == m) x = h.x;
    button->Scale = {bw, bh, 0.0f};
    button->Position = {x, y, 0.0f};
    AssignButton(*button);
  }
}

void MenuSystem::PlaceRow(Menu& menu) {
  const View v = CurrentView();
  const float bw = v.W / 9.5f, bh = v.H / 8.5f;
  const Vec3& h = menu.HeaderPosition;
  for (auto& [index, button] : menu.Buttons) {
    button->Scale = {bw, bh, 0.0f};
    button->Position = {(h.x - v.W * 0.2f) + bw * 0.5f + static_cast<float>(index - 1) * (v.W * 0.1f + bw), h.y, 0.0f};
  }
}

void MenuSystem::PlaceBackButton(Menu& menu) {
  const View v = CurrentView();
  const float bw = v.W / 8.5f, bh = v.H / 8.5f;
  const Vec3& h = menu.HeaderPosition;
  for (auto& [index, button] : menu.Buttons) {
    button->Scale = {bw, bh, 0.0f};
    button->Position = {h.x, h.y - v.H * 0.5f + bh + bh * 0.25f, 0.0f};
  }
}

void MenuSystem::CentreLabel(MenuButton& button) {
  // On a narrow (4:3) screen the buttons shrink with the view but the text does
  // not: a label that would run over its button's ends is drawn smaller instead.
  button.LabelSize = TextSize();
  float width = ShownWidth(button.Label, button.LabelSize);
  const float room = button.Scale.x * kLabelRoom;
  if (width > room && width > 0.0f) {
    button.LabelSize *= room / width;
    width = ShownWidth(button.Label, button.LabelSize);
  }
  button.LabelPosition = {button.Position.x - width / 2.0f, button.Position.y - button.Scale.y / 7.5f, 0.0f};
}

void MenuSystem::LayoutTexts(Menu& menu) {
  const float size = TextSize();
  menu.TitleSize = size;
  for (auto& [index, button] : menu.Buttons) button->LabelSize = size;

  if (menu.Id == MenuId::Confirm) {
    const MenuButton* first = FindButton(menu.Id, 1);
    const MenuButton* second = FindButton(menu.Id, 2);
    if (first != nullptr && second != nullptr) {
      menu.BackgroundPosition = {(first->Position.x + second->Position.x) * 0.5f,
                                 first->Position.y + 1.5f * first->Scale.y, 0.0f};
    }
    menu.BackgroundScale.x = 1.2f * ShownWidth(menu.Title, size);
  }
  for (auto& [index, button] : menu.Buttons) CentreLabel(*button);
  menu.TitlePosition = {menu.BackgroundPosition.x - ShownWidth(menu.Title, size) / 2.0f,
                        menu.BackgroundPosition.y - menu.BackgroundScale.y / 7.5f, 0.0f};
}

void MenuSystem::PlaceMenu(std::int32_t id) {
  Menu* menu = FindMenu(id);
  if (menu == nullptr) return;
  const View v = CurrentView();
  switch (id) {
    case MenuId::Pause: menu->HeaderPosition = {v.cx, v.cy, v.cz}; break;
    case MenuId::Confirm:
      menu->HeaderPosition = {v.cx - v.W, v.cy, 0.0f};
      // Over the main menu's world the confirmation needs no dimming.
      menu->Header.Alpha = ReturnMenu == MenuId::Main ? MenuLook::SeeThroughAlpha : MenuLook::DimAlpha;
      PlaceRow(*menu);
      break;
    case MenuId::HowToPlay: {
      const char* picture =
          Localisation::Instance().Language == LanguageId::English ? MenuLook::HowToPlayTexture : MenuLook::HowToPlayRussianTexture;
      if (menu->Header.Filename != picture) menu->Header.SetFilename(std::string(picture));
      const Menu* pause = FindMenu(MenuId::Pause);
      if (ReturnMenu == MenuId::Pause && pause != nullptr) {
        menu->HeaderPosition = {pause->HeaderPosition.x + v.W, pause->HeaderPosition.y + v.H, 0.0f};
        menu->Header.Alpha = MenuLook::DimAlpha;
      } else {
        menu->HeaderPosition = {v.cx, v.cy + v.H, 0.0f};
        menu->Header.Alpha = MenuLook::SeeThroughAlpha;
      }
      PlaceBackButton(*menu);
      break;
    }
    case MenuId::Options:
      menu->HeaderPosition =
          ReturnMenu == MenuId::Pause ? Vec3{v.cx, v.cy + v.H, 0.0f} : Vec3{v.cx - v.W, v.cy + v.H, 0.0f};
      // The toggles show what a click would switch to, which may have changed
      // since the menu was last open (F11, the window losing focus).
      for (auto& [index, button] : menu->Buttons) AssignButton(*button);
      break;
    default: break;
  }
  if (id == MenuId::Pause || id == MenuId::Options) PlaceArcAgain(*menu);
  if (id == MenuId::Options) {
    // Over a paused level the options dim it like the pause menu; over the main
    // menu's world they leave it to be seen, as the menus around them do.
    const bool fromPause = menu->Opener == MenuButtonId::PauseOptions;
    menu->Header.Color = fromPause ? MenuLook::DimTint : MenuLook::SkyTint;
    menu->Header.Alpha = fromPause ? MenuLook::DimAlpha : MenuLook::SeeThroughAlpha;
  }
  LayoutTexts(*menu);
}

void MenuSystem::PlaceArcAgain(Menu& menu) {
  const View v = CurrentView();
  menu.BackgroundPosition = ArcPanelPosition(menu, v);
  const MenuButton* first = FindButton(menu.Id, 1);
  if (first == nullptr) return;
  const std::int32_t n = menu.ButtonCount;
  const std::int32_t m = (n + 1) / 2;
  const float step = kPi / static_cast<float>(n + 1);
  const float radius = v.W / 2.8f;
  const float dx = 0.1f * first->Scale.x, dy = 0.1f * first->Scale.y;
  const Vec3& h = menu.HeaderPosition;
  for (auto& [index, button] : menu.Buttons) {
    const float a = step * static_cast<float>(index);
    const float s = std::sin(a);
    const float nudge = index > m ? -dx : dx;
    float x = h.x + radius * std::cos(a);
    float y = h.y + ArcRise(radius, v) * s - v.H * 0.5f;
    if (s > 0.6f) {
      y += dy;
      x += nudge;
    }
    if (s > 0.8f) x += nudge;
    if (s > 0.9f) {
      x += nudge;
      y += 4.0f * dy;
    }
    if (n % 2 == 1 && index == m) {
      x = h.x;
      y += 2.0f * dy;
      if (menu.Id == MenuId::Pause) y += button->Scale.y * 0.5f;
    }
    button->Position = {x, y, 0.0f};
  }
}

}  // namespace Framework
