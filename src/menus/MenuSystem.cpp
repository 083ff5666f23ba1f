#include "menus/MenuSystem.h"

#include <SDL.h>

#include <initializer_list>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Windows.h"
#include "graphics/Graphics.h"
#include "levels/Serialization.h"
#include "menus/MenuLook.h"
#include "menus/MenuNavigation.h"

namespace Framework {
namespace {

using Keys = std::initializer_list<SDL_Scancode>;
constexpr Keys kUpKeys = {SDL_SCANCODE_UP, SDL_SCANCODE_W};
constexpr Keys kDownKeys = {SDL_SCANCODE_DOWN, SDL_SCANCODE_S};
constexpr Keys kLeftKeys = {SDL_SCANCODE_LEFT, SDL_SCANCODE_A};
constexpr Keys kRightKeys = {SDL_SCANCODE_RIGHT, SDL_SCANCODE_D};
constexpr Keys kActivateKeys = {SDL_SCANCODE_RETURN, SDL_SCANCODE_RETURN2, SDL_SCANCODE_SPACE};

bool AnyDown(const std::uint8_t* keys, Keys group) {
  for (SDL_Scancode key : group) {
    if (keys[key] != 0) return true;
  }
  return false;
}

// Strictly inside the rectangle centred on `centre` with the full size `scale`.
bool Inside(const MouseRecord& mouse, const Vec3& centre, const Vec3& scale) {
  return mouse.MouseX > centre.x - scale.x * 0.5f && mouse.MouseX < centre.x + scale.x * 0.5f &&
         mouse.MouseY > centre.y - scale.y * 0.5f && mouse.MouseY < centre.y + scale.y * 0.5f;
}

}  // namespace

MenuSystem& MenuSystem::Instance() {
  // The menus' sprites hold GL buffers that must go while the context (owned by
  // Graphics) still exists, and the listeners unsubscribe from the EventSystem.
  Graphics::Instance();
  EventSystem::Instance();
  static MenuSystem instance;
  return instance;
}

MenuSystem::MenuSystem() {
  keyboardListener_ = Listen<MenuSystemEventListener>(this, EventType::Keyboard);
  mouseListener_ = Listen<MenuSystemEventListener>(this, EventType::Mouse);
}

MenuSystem::~MenuSystem() = default;

void MenuSystem::Initialize() {
  Menus.clear();
  MenuCount = 0;
  CurrentMenu = MenuId::None;
  ReturnMenu = MenuId::None;
  Selected = 1;
  Transition = false;
  MouseActivity = false;
  transitionTimer_ = 0.0f;
  for (std::int32_t i = 0; i < MenuId::Count; ++i) {
    ++MenuCount;
    auto menu = std::make_unique<Menu>();
    menu->Id = MenuCount;
    Menus[MenuCount] = std::move(menu);
  }
  for (auto& [id, menu] : Menus) BuildMenu(*menu);

  Graphics& graphics = Graphics::Instance();
  graphics.MenuShown = [this] { return HasActiveMenu(); };
  graphics.MenuBackdrop = [this](Graphics& g) { DrawBackdrop(g); };
  graphics.MenuPass = [this](Graphics& g) { Draw(g); };
  SerializationHooks& hooks = Serialization::Instance().Hooks;
  hooks.OpenMainMenu = [this] {
    SetMenu(MenuId::Main);
    ReturnMenu = MenuId::Main;
    PlaceMenu(MenuId::Main);
  };
  hooks.OpenPauseMenu = [this] { SetMenu(MenuId::Pause); };
}

Menu* MenuSystem::FindMenu(std::int32_t id) {
  auto it = Menus.find(id);
  return it == Menus.end() ? nullptr : it->second.get();
}

MenuButton* MenuSystem::FindButton(std::int32_t menuId, std::int32_t index) {
  Menu* menu = FindMenu(menuId);
  if (menu == nullptr) return nullptr;
  auto it = menu->Buttons.find(index);
  return it == menu->Buttons.end() ? nullptr : it->second.get();
}

void MenuSystem::Hide(std::int32_t id) {
  if (Menu* menu = FindMenu(id)) menu->Shown = false;
}

void MenuSystem::SetLook(MenuButton& button, bool highlighted) {
  const char* texture = highlighted ? MenuLook::PressedButtonTexture : MenuLook::ButtonTexture;
  // Rebinding uploads the texture again; only do it when the look changes.
  if (button.Look.Filename != texture) button.Look.SetFilename(std::string(texture));
  if (!highlighted) button.Look.Color = MenuLook::ButtonTint;
  button.LabelColor = highlighted ? MenuLook::HighlightColor : MenuLook::LabelColor;
}

void MenuSystem::MoveSelection(Menu& menu, std::int32_t target) {
  if (target != Selected) {
    if (MenuButton* old = FindButton(menu.Id, Selected)) SetLook(*old, false);
  }
  Selected = target;
  if (MenuButton* now = FindButton(menu.Id, Selected)) SetLook(*now, true);
}

void MenuSystem::SetMenu(std::int32_t id) {
  if (id != MenuId::None && FindMenu(id) == nullptr) return;
  ReturnMenu = CurrentMenu;
  CurrentMenu = id;
  Selected = 1;
  if (id == MenuId::None) {
    Hide(ReturnMenu);
    return;
  }
  Menu& menu = *FindMenu(id);
  menu.Shown = true;
  const bool freshPause = ReturnMenu == MenuId::None && id == MenuId::Pause;
  if (freshPause || id == MenuId::Confirm || id == MenuId::HowToPlay || id == MenuId::Options) PlaceMenu(id);
  for (auto& [index, button] : menu.Buttons) SetLook(*button, false);
  if (MenuButton* first = FindButton(id, 1)) SetLook(*first, true);
  // A menu that opens under a resting cursor highlights the button it points at.
  hoveredButton_ = 0;
  HandleMenuMouse();
}

void MenuSystem::GlideToMenu(std::int32_t id) {
  Menu* menu = FindMenu(id);
  if (menu == nullptr) return;
  LayoutTexts(*menu);
  Transition = true;
  // A glide asked for while another runs (a window event during a glide) replaces
  // it, so the camera ends on the menu that is actually current.
  transitionTimer_ = 0.0f;
  Camera& camera = Graphics::Instance().Camera;
  camera.Panning = false;
  camera.PanTo(menu->HeaderPosition, GlideSeconds, 0.0f);
}

void MenuSystem::Update(float dt, bool /*paused*/) {
  if (Transition) {
    transitionTimer_ += dt;
    if (transitionTimer_ > GlideSeconds) {
      transitionTimer_ = 0.0f;
      Transition = false;
      if (ReturnMenu != CurrentMenu) Hide(ReturnMenu);
      if (CurrentMenu == MenuId::Main || CurrentMenu == MenuId::Pause) ReturnMenu = MenuId::None;
      HandleMenuMouse();
      refreshAfterTransition_ = true;
    }
    return;
  }
  if (CurrentMenu == MenuId::None) return;
  if (MouseActivity) {
    MouseActivity = false;
    HandleMenuMouse();
  } else if (refreshAfterTransition_) {
    refreshAfterTransition_ = false;
    HandleMenuMouse();
  }
}

void MenuSystem::HandleMenuMouse() {
  Menu* menu = FindMenu(CurrentMenu);
  if (menu == nullptr) return;
  MouseRecord& mouse = Windows::Instance().Mouse;
  if (!Inside(mouse, menu->HeaderPosition, menu->HeaderScale)) {
    if (cursorWasInside_) {
      for (auto& [index, button] : menu->Buttons) {
        if (index != Selected) SetLook(*button, false);
      }
      cursorWasInside_ = false;
    }
    hoveredButton_ = 0;
    return;
  }
  cursorWasInside_ = true;
  std::int32_t hovered = 0;
  for (auto& [index, button] : menu->Buttons) {
    if (Inside(mouse, button->Position, button->Scale)) hovered = index;
  }
  if (hovered != 0 && hovered != hoveredButton_) PlayMenuSound(MenuLook::HoverSound);
  hoveredButton_ = hovered;
  if (hovered == 0) return;
  // The mouse moves the keyboard highlight too: one button is highlighted at a time.
  MoveSelection(*menu, hovered);
  if (mouse.Button == SDL_BUTTON_LEFT && mouse.ButtonEventType == Windows::ButtonUp) {
    // The release is used up here, so that a menu opened by this very click does
    // not take it for a click of its own.
    mouse.ButtonEventType = 0;
    ActivateButton(*menu->Buttons.at(hovered));
  }
}

void MenuSystem::HandleMenuKeys(const std::uint8_t* keys) {
  if (keys == nullptr) return;
  Menu* menu = FindMenu(CurrentMenu);
  // A press that begins during a glide, or while no menu is open, is used up
  // without acting; the latches still follow the keys then, or the first press
  // after a glide (the key that started it was let go during it) would be lost.
  const bool acting = menu != nullptr && !Transition;

  struct Group {
    MenuDirection direction;
    Keys keys;
    bool& latch;
  };
  Group groups[] = {{MenuDirection::Up, kUpKeys, upLatch_},
                    {MenuDirection::Down, kDownKeys, downLatch_},
                    {MenuDirection::Left, kLeftKeys, leftLatch_},
                    {MenuDirection::Right, kRightKeys, rightLatch_}};
  for (Group& group : groups) {
    if (!AnyDown(keys, group.keys)) {
      group.latch = false;
      continue;
    }
    if (group.latch) continue;
    group.latch = true;
    if (!acting) continue;
    const std::int32_t target =
        NavigationTarget(menu->Id, menu->ButtonCount, Selected, group.direction, lastMoveWasLeft_);
    if (group.direction == MenuDirection::Left) lastMoveWasLeft_ = true;
    if (group.direction == MenuDirection::Right) lastMoveWasLeft_ = false;
    if (target != 0) MoveSelection(*menu, target);
  }

  if (!AnyDown(keys, kActivateKeys)) {
    ActivateLatch = false;
  } else if (!ActivateLatch) {
    ActivateLatch = true;
    if (!acting) return;
    if (MenuButton* button = FindButton(CurrentMenu, Selected)) ActivateButton(*button);
  }
}

void MenuSystem::ActivateButton(MenuButton& button) {
  PlayMenuSound(MenuLook::ClickSound);
  // A copy runs: some actions re-assign every button of their menu, their own
  // action included, while it is still running.
  const std::function<void()> action = button.Action;
  if (action) action();
}

void MenuSystem::PlayMenuSound(const char* name) { AudioSystem::Post(AudioCommand::PlayMenu, name); }

void MenuSystem::OnKeyboardEvent(const KeyboardEvent& event) { HandleMenuKeys(event.KeyState); }

void MenuSystem::OnMouseEvent(const MouseEvent&) { MouseActivity = true; }

}  // namespace Framework
