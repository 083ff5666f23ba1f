// What every menu button says and does, by its ButtonId: starting and leaving
// play, moving between menus, asking for confirmation, the options toggles and the
// level-select pages.
#include <memory>
#include <string>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Windows.h"
#include "graphics/Graphics.h"
#include "graphics/SpriteLanguage.h"
#include "levels/LevelSlots.h"
#include "levels/Localisation.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"

namespace Framework {
namespace {

void SetPaused(bool paused) { Engine::Instance().Paused = paused; }

void SetMasterVolume(float volume) { AudioSystem::Instance().SetMasterVolume(volume); }

void PostAudio(std::int32_t command) {
  auto event = std::make_unique<AudioEvent>();
  event->Command = command;
  EventSystem::Instance().Post(std::move(event));
}

std::u16string LevelLabel(std::int32_t number) {
  std::u16string label = u"LEVEL ";
  for (char digit : std::to_string(number)) label.push_back(static_cast<char16_t>(digit));
  return label;
}

void ClearParticles() {
  if (const auto& clear = Serialization::Instance().Hooks.ClearParticles) clear();
}

}  // namespace

void MenuSystem::BackToReturnMenu(std::int32_t leaving) {
  const std::int32_t target = ReturnMenu;
  SetMenu(target);
  // SetMenu made the menu being left the return menu already; saying so keeps the
  // end of the glide hiding exactly that menu.
  ReturnMenu = leaving;
  GlideToMenu(target);
}

void MenuSystem::GoToMenu(std::int32_t target, std::int32_t from) {
  SetMenu(target);
  ReturnMenu = from;
  GlideToMenu(target);
}

void MenuSystem::Confirm(std::int32_t opener, std::int32_t from) {
  if (Menu* confirm = FindMenu(MenuId::Confirm)) {
    confirm->Opener = opener;
    // YES takes its meaning from the button that asked.
    if (MenuButton* yes = FindButton(MenuId::Confirm, 1)) AssignButton(*yes);
  }
  ReturnMenu = from;
  SetMenu(MenuId::Confirm);
  GlideToMenu(MenuId::Confirm);
}

void MenuSystem::AssignAll(Menu& menu) {
  for (auto& [index, button] : menu.Buttons) AssignButton(*button);
  LayoutTexts(menu);
}

void MenuSystem::AssignButton(MenuButton& button) {
  Serialization& levels = Serialization::Instance();
  switch (button.ButtonId) {
    case MenuButtonId::NewGame:
      button.Label = u"NEW GAME";
      button.Action = [this, &levels] {
        SetPaused(false);
        levels.CurrentLevel = LevelSlot::FirstPlay;
        levels.Load(levels.GetLevelFile(LevelSlot::FirstPlay));
        SetMenu(MenuId::None);
        ReturnMenu = MenuId::None;
        Hide(MenuId::Main);
      };
      break;
    case MenuButtonId::SelectLevel:
      button.Label = u"SELECT LEVEL";
      button.Action = [this] { GoToMenu(MenuId::LevelSelect, MenuId::Main); };
      break;
    case MenuButtonId::MainHowToPlay:
      button.Label = u"HOW TO PLAY";
      button.Action = [this] { GoToMenu(MenuId::HowToPlay, MenuId::Main); };
      break;
    case MenuButtonId::MainOptions:
    case MenuButtonId::PauseOptions: {
      button.Label = u"OPTIONS";
      const std::int32_t opener = button.ButtonId;
      const std::int32_t from = button.ButtonId == MenuButtonId::MainOptions ? MenuId::Main : MenuId::Pause;
      button.Action = [this, opener, from] {
        if (Menu* options = FindMenu(MenuId::Options)) options->Opener = opener;
        GoToMenu(MenuId::Options, from);
      };
      break;
    }
    case MenuButtonId::MainCredits:
      button.Label = u"CREDITS";
      button.Action = [this, &levels] {
        SetPaused(false);
        levels.ShowCredits();
        SetMenu(MenuId::None);
        ReturnMenu = MenuId::Main;
      };
      break;
    case MenuButtonId::MainQuit:
    case MenuButtonId::RestartLevel:
    case MenuButtonId::ToMainMenu:
    case MenuButtonId::PauseQuit: {
      button.Label = button.ButtonId == MenuButtonId::RestartLevel ? u"RESTART LEVEL"
                     : button.ButtonId == MenuButtonId::ToMainMenu ? u"TO MAIN MENU"
                                                                   : u"QUIT GAME";
      const std::int32_t opener = button.ButtonId;
      const std::int32_t from = button.ButtonId == MenuButtonId::MainQuit ? MenuId::Main : MenuId::Pause;
      button.Action = [this, opener, from] { Confirm(opener, from); };
      break;
    }
    case MenuButtonId::Resume:
      button.Label = u"RESUME GAME";
      button.Action = [this] {
        SetMasterVolume(FullVolume);
        SetPaused(false);
        SetMenu(MenuId::None);
      };
      break;
    case MenuButtonId::PauseHowToPlay:
      button.Label = u"HOW TO PLAY";
      button.Action = [this] { GoToMenu(MenuId::HowToPlay, MenuId::Pause); };
      break;
    case MenuButtonId::PauseCredits:
      button.Label = u"CREDITS";
      button.Action = [this, &levels] {
        SetPaused(false);
        SetMasterVolume(FullVolume);
        levels.ShowCredits();
        SetMenu(MenuId::None);
        ReturnMenu = MenuId::Pause;
        ClearParticles();
      };
      break;
    case MenuButtonId::Yes: {
      button.Label = u"YES";
      const Menu* confirm = FindMenu(MenuId::Confirm);
      const std::int32_t opener = confirm != nullptr ? confirm->Opener : 0;
      if (opener == MenuButtonId::MainQuit || opener == MenuButtonId::PauseQuit) {
        button.Action = [] { Engine::Instance().Running = false; };
      } else if (opener == MenuButtonId::RestartLevel) {
        button.Action = [this] {
          auto restart = std::make_unique<SerializationEvent>();
          restart->Command = SerializationCommand::RestartOrContinue;
          EventSystem::Instance().Post(std::move(restart));
          SetPaused(false);
          Hide(MenuId::Confirm);
          SetMenu(MenuId::None);
          SetMasterVolume(FullVolume);
        };
      } else if (opener == MenuButtonId::ToMainMenu) {
        button.Action = [this] {
          SetMenu(MenuId::Main);
          ReturnMenu = MenuId::Main;
          Hide(MenuId::Confirm);
          SerializationEvent enter;
          enter.Command = SerializationCommand::EnterMainMenu;
          EventSystem::Instance().Send(enter);
          // Set after the level change too: the camera jumps to the old level's
          // player when the change is announced, which would leave the main menu
          // out of view.
          if (const Menu* main = FindMenu(MenuId::Main)) {
            Graphics::Instance().Camera.SnapTo({main->HeaderPosition.x, main->HeaderPosition.y});
          }
          SetMasterVolume(FullVolume);
        };
      } else {
        button.Action = nullptr;
      }
      break;
    }
    case MenuButtonId::No:
      button.Label = u"NO";
      button.Action = [this] { BackToReturnMenu(MenuId::Confirm); };
      break;
    case MenuButtonId::HowToPlayBack:
    case MenuButtonId::OptionsBack: {
      button.Label = u"BACK";
      const std::int32_t leaving = button.ButtonId == MenuButtonId::HowToPlayBack ? MenuId::HowToPlay : MenuId::Options;
      button.Action = [this, leaving] { BackToReturnMenu(leaving); };
      break;
    }
    case MenuButtonId::ScreenMode:
      button.Label = Windows::Instance().Fullscreen ? u"WINDOW MODE" : u"FULL SCREEN";
      button.Action = [this, &button] {
        Windows& windows = Windows::Instance();
        const bool goFullscreen = !windows.Fullscreen;
        windows.SetFullscreen(goFullscreen);
        button.Label = goFullscreen ? u"WINDOW MODE" : u"FULL SCREEN";
        CentreLabel(button);
      };
      break;
    case MenuButtonId::Music:
      button.Label = AudioSystem::Instance().MusicPaused ? u"UNMUTE MUSIC" : u"MUTE MUSIC";
      button.Action = [this, &button] {
        const bool paused = AudioSystem::Instance().MusicPaused;
        PostAudio(paused ? AudioCommand::ResumeMusic : AudioCommand::PauseMusic);
        button.Label = paused ? u"MUTE MUSIC" : u"UNMUTE MUSIC";
        CentreLabel(button);
      };
      break;
    case MenuButtonId::Audio:
      button.Label = AudioSystem::Instance().MasterPaused ? u"UNMUTE AUDIO" : u"MUTE AUDIO";
      button.Action = [this, &button] {
        const bool paused = AudioSystem::Instance().MasterPaused;
        PostAudio(paused ? AudioCommand::ResumeMaster : AudioCommand::PauseMaster);
        button.Label = paused ? u"MUTE AUDIO" : u"UNMUTE AUDIO";
        CentreLabel(button);
      };
      break;
    case MenuButtonId::Language:
      // Names the language a click switches to.
      button.Label = Localisation::Instance().Language == 0 ? u"RUSSIAN" : u"ENGLISH";
      button.Action = [this, &button] {
        Localisation& localisation = Localisation::Instance();
        const bool toRussian = localisation.Language == 0;
        localisation.Language = toRussian ? 1 : 0;
        ApplyLanguageToSprites();
        button.Label = toRussian ? u"ENGLISH" : u"RUSSIAN";
        if (button.Owner != nullptr) LayoutTexts(*button.Owner);
      };
      break;
    case MenuButtonId::NextPage:
      button.Label = u"NEXT";
      // Only while the next page starts at a level that exists.
      if (LevelPage + LevelsPerPage + 1 > LevelSlot::NumberedLevels) {
        button.Action = nullptr;
      } else {
        button.Action = [this, &button] {
          LevelPage += LevelsPerPage;
          if (button.Owner != nullptr) AssignAll(*button.Owner);
        };
      }
      break;
    case MenuButtonId::PreviousPage:
      button.Label = u"PREVIOUS";
      if (LevelPage < LevelsPerPage) {
        button.Action = nullptr;
      } else {
        button.Action = [this, &button] {
          LevelPage -= LevelsPerPage;
          if (button.Owner != nullptr) AssignAll(*button.Owner);
        };
      }
      break;
    case MenuButtonId::LevelSelectMainMenu:
      button.Label = u"MAIN MENU";
      button.Action = [this] {
        const std::int32_t target = ReturnMenu;
        SetMenu(target);
        ReturnMenu = MenuId::LevelSelect;
        GlideToMenu(MenuId::Main);
      };
      break;
    default:
      if (button.ButtonId >= MenuButtonId::FirstLevelButton && button.ButtonId <= MenuButtonId::LastLevelButton) {
        // Index 2 stands next to NEXT at the right end: the numbers grow to the left.
        const std::int32_t number = LevelPage + 7 - button.Index;
        if (number > LevelSlot::NumberedLevels) {
          button.Label.clear();
          button.Action = nullptr;
          break;
        }
        button.Label = LevelLabel(number);
        const std::int32_t slot = SlotOfLevelNumber(number);
        button.Action = [this, &levels, slot] {
          auto load = std::make_unique<SerializationEvent>();
          load->Command = SerializationCommand::LoadGame;
          load->FileName = levels.GetLevelFile(slot);
          EventSystem::Instance().Post(std::move(load));
          levels.CurrentLevel = slot;
          SetPaused(false);
          SetMenu(MenuId::None);
        };
      }
      break;
  }
}

}  // namespace Framework
