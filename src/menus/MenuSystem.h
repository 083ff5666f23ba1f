// MenuSystem: owns the game's six menus (main, pause, the "REALLY?" confirmation,
// how to play, options, level select). Menus are not a screen overlay: each stands
// at a place in the world, and switching menus glides the camera there while both
// are shown; the menu left behind is hidden one second later. Buttons are chosen
// with the mouse (hover highlights, a left release activates) or the keyboard
// (arrows or W/A/S/D move the highlight, Return or Space activates).
//
// Invariants: at most two menus are shown, the current one and, during a glide,
// the one it left; Selected always names a button of the current menu; a held key
// acts once (its latch stays set until every key of its group is up); no input
// reaches the menus while a glide runs, and a key pressed during it stays spent.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "engine/EventListener.h"
#include "engine/Events.h"
#include "engine/InterfaceSystem.h"
#include "menus/Menu.h"
#include "menus/MenuButton.h"

namespace Framework {

class Graphics;

class MenuSystem : public InterfaceSystem {
 public:
  // A glide between menus lasts this long; the menu left behind is then hidden.
  static constexpr float GlideSeconds = 1.0f;
  // Every menu part is drawn at this depth, in front of the world.
  static constexpr float MenuDepth = 0.01f;
  // Texts are drawn at these sizes in English and in Russian.
  static constexpr float EnglishTextSize = 10.0f;
  static constexpr float RussianTextSize = 8.0f;
  // The master volume while the pause menu holds the game, and in play.
  static constexpr float PausedVolume = 0.25f;
  static constexpr float FullVolume = 1.0f;
  // Level-select pages start at these numbers less one.
  static constexpr std::int32_t LevelsPerPage = 5;

  static MenuSystem& Instance();
  ~MenuSystem() override;
  MenuSystem(const MenuSystem&) = delete;
  MenuSystem& operator=(const MenuSystem&) = delete;

  // Builds the six menus around the camera's start position, shows the main menu,
  // and connects the menu pass and the menu hooks of Graphics and Serialization.
  void Initialize() override;
  // Ends glides (hiding the menu left behind) and handles the mouse; the paused
  // flag does not matter to the menus.
  void Update(float dt, bool paused) override;

  // Shows menu `id` with its first button highlighted; 0 closes the menus.
  void SetMenu(std::int32_t id);
  // Starts the camera's glide to menu `id` (nothing for 0).
  void GlideToMenu(std::int32_t id);
  // Puts a menu where it belongs when it opens (relative to the camera and to the
  // menu it is opened from) and re-centres its texts.
  void PlaceMenu(std::int32_t id);
  // Keyboard navigation and activation from one frame's key-state array.
  void HandleMenuKeys(const std::uint8_t* keys);
  // Hover and click from the Windows system's mouse record.
  void HandleMenuMouse();
  // Click sound, then the button's action.
  void ActivateButton(MenuButton& button);
  // Label and action from the button's row in ButtonRows; other ids leave it unchanged.
  void AssignButton(MenuButton& button);
  void LayoutButtons(Menu& menu);
  // Sizes texts for the current language and centres labels on their buttons and
  // the title on its panel.
  void LayoutTexts(Menu& menu);

  Menu* FindMenu(std::int32_t id);
  MenuButton* FindButton(std::int32_t menuId, std::int32_t index);
  // Whether a menu is open (the camera drifts and the menu pass runs).
  bool HasActiveMenu() const { return CurrentMenu != MenuId::None; }

  // What the window's keys and events ask of the menus. OpenPauseMenu holds a
  // running play level (paused, quieter) under the pause menu. StepBack is Escape
  // while the game is paused: back to the menu the current one came from, and from
  // the pause menu back to play; the main menu stays. RequestQuit answers a
  // window-close request on level slot `level` by opening the quit confirmation
  // through the main or the pause menu; outside play it does nothing while that
  // confirmation is already up.
  void OpenPauseMenu();
  void StepBack();
  void RequestQuit(std::int32_t level);
  // A question another part of the game asks (the editor's), through the
  // confirmation with `title` over YES and NO: YES runs `yes`, NO runs `no`, and
  // either closes the menus; Escape closes them and runs neither.
  void Ask(const std::u16string& title, std::function<void()> yes, std::function<void()> no);

  // Drawn with the world, at the art's resolution: the tint the first shown menu
  // lays over the whole world, then every shown menu's pictures (title panel,
  // header picture, button faces), which are pixel art like the world.
  void DrawBackdrop(Graphics& graphics);
  // The menu pass at the window's resolution: every shown menu's title, button
  // outlines and labels, over the pictures.
  void Draw(Graphics& graphics);

  // The MenuSystemEventListener's handlers.
  void OnKeyboardEvent(const KeyboardEvent& event);
  void OnMouseEvent(const MouseEvent& event);

  // A MouseEvent arrived; the next Update runs HandleMenuMouse.
  bool MouseActivity = false;
  // A camera glide to a menu is running.
  bool Transition = false;
  // 1-based index of the highlighted button of the current menu.
  std::int32_t Selected = 1;
  std::int32_t CurrentMenu = MenuId::None;
  // The menu to hide when the glide ends; also where Escape goes back to.
  std::int32_t ReturnMenu = MenuId::None;
  std::map<std::int32_t, std::unique_ptr<Menu>> Menus;
  std::int32_t MenuCount = 0;
  // Return or Space is being held. The splash screen sets it when a key skips it,
  // so that the same key press does not also activate the first menu button.
  bool ActivateLatch = false;
  // First level number on the level-select page, less one: 0 or 5.
  std::int32_t LevelPage = 0;

 private:
  using Action = std::function<void()>;
  // One button: its id, its label (nullptr when the action step says it) and the
  // step that builds its action when the button is assigned.
  struct ButtonRow {
    std::int32_t Id;
    const char16_t* Label;
    Action (*MakeAction)(MenuSystem& menus, MenuButton& button);
  };
  static const ButtonRow ButtonRows[];

  MenuSystem();
  void BuildMenu(Menu& menu);
  void PlaceArcAgain(Menu& menu);
  void PlaceRow(Menu& menu);
  void PlaceBackButton(Menu& menu);
  void CentreLabel(MenuButton& button);
  void SetLook(MenuButton& button, bool highlighted);
  void MoveSelection(Menu& menu, std::int32_t target);
  void Hide(std::int32_t id);
  // The steps shared by the actions.
  void BackToReturnMenu(std::int32_t leaving);
  void GoToMenu(std::int32_t target, std::int32_t from);
  void Confirm(std::int32_t opener, std::int32_t from);
  void OpenOptions(std::int32_t opener, std::int32_t from);
  // Every level change from the menus: unpause, load level slot `slot`, close the menus.
  void StartLevel(std::int32_t slot);
  void TurnPage(MenuButton& button, std::int32_t levels);
  // What YES does, by the button that asked for the confirmation.
  Action ConfirmedAction();
  // The answer to a question put through Ask.
  void Answer(bool yes);
  Action askedYes_;
  Action askedNo_;
  // Labels a level button with its number on the current page and loads that level.
  Action LevelButtonAction(MenuButton& button);
  // Re-labels every button of a menu and re-centres the labels.
  void AssignAll(Menu& menu);
  void PlayMenuSound(const char* name);

  Subscription keyboardListener_;
  Subscription mouseListener_;
  float transitionTimer_ = 0.0f;
  bool refreshAfterTransition_ = false;
  // The button under the cursor at the last look (0: none): a new one plays the hover sound.
  std::int32_t hoveredButton_ = 0;
  bool cursorWasInside_ = false;
  bool upLatch_ = false, downLatch_ = false, leftLatch_ = false, rightLatch_ = false;
  bool lastMoveWasLeft_ = false;
};

using MenuSystemEventListener = EventListener<&MenuSystem::OnKeyboardEvent, &MenuSystem::OnMouseEvent>;

}  // namespace Framework
