// The menus' side of the window's Escape key, close request and focus loss.
#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "levels/LevelSlots.h"
#include "menus/MenuSystem.h"

namespace Framework {

void MenuSystem::OpenPauseMenu() {
  Engine::Instance().Paused = true;
  AudioSystem::Instance().SetMasterVolume(PausedVolume);
  SetMenu(MenuId::Pause);
}

void MenuSystem::StepBack() {
  const std::int32_t leaving = CurrentMenu;
  if (leaving == MenuId::None || leaving == MenuId::Main) return;
  if (leaving == MenuId::Pause) {
    Engine::Instance().Paused = false;
    AudioSystem::Instance().SetMasterVolume(FullVolume);
  }
  // The pause menu's return menu is none: stepping back from it closes the menus.
  BackToReturnMenu(leaving);
}

void MenuSystem::RequestQuit(std::int32_t level) {
  const std::int32_t asking = CurrentMenu;
  if (IsGameLevel(level)) {
    if (asking != MenuId::Pause) {
      Engine::Instance().Paused = true;
      AudioSystem::Instance().SetMasterVolume(PausedVolume);
      Hide(asking);
      SetMenu(MenuId::Pause);
    }
    if (MenuButton* quit = FindButton(MenuId::Pause, MenuButtonId::PauseQuit - MenuButtonId::Resume + 1)) {
      ActivateButton(*quit);
    }
    return;
  }
  // The splashes and the credits hand over to the main-menu world first.
  if (level <= LevelSlot::SecondSplash || level == LevelSlot::Credits) {
    SerializationEvent enter;
    enter.Command = SerializationCommand::EnterMainMenu;
    EventSystem::Instance().Send(enter);
  }
  // A second request while the quit confirmation is up changes nothing.
  if (const Menu* current = FindMenu(CurrentMenu)) {
    if (CurrentMenu == MenuId::Confirm &&
        (current->Opener == MenuButtonId::MainQuit || current->Opener == MenuButtonId::PauseQuit)) {
      return;
    }
  }
  if (asking != MenuId::Main) {
    // Only a menu over the main-menu world is still in view; the others left with their level.
    if (level > LevelSlot::SecondSplash && level != LevelSlot::Credits) Hide(asking);
    SetMenu(MenuId::Main);
  }
  if (MenuButton* quit = FindButton(MenuId::Main, MenuButtonId::MainQuit)) ActivateButton(*quit);
}

}  // namespace Framework
