// What every menu button says and does: one row per ButtonId (ButtonRows) and the
// steps the rows share: starting and leaving play, moving between menus, asking
// for confirmation, the options toggles and the level-select pages.
#include <algorithm>
#include <memory>
#include <string>
#include <utility>

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

// The confirmation's own title, and the opener of a question put through Ask (no button).
constexpr const char16_t* kConfirmTitle = u"REALLY?";
constexpr std::int32_t kAsked = 0;

void SetPaused(bool paused) { Engine::Instance().Paused = paused; }

void SetMasterVolume(float volume) { AudioSystem::Instance().SetMasterVolume(volume); }

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
    confirm->Title = kConfirmTitle;
    // YES takes its meaning from the button that asked.
    if (MenuButton* yes = FindButton(MenuId::Confirm, 1)) AssignButton(*yes);
  }
  ReturnMenu = from;
  SetMenu(MenuId::Confirm);
  GlideToMenu(MenuId::Confirm);
}

void MenuSystem::Ask(const std::u16string& title, std::function<void()> yes, std::function<void()> no) {
  Menu* confirm = FindMenu(MenuId::Confirm);
  if (confirm == nullptr) return;
  confirm->Opener = kAsked;
  confirm->Title = title;
  askedYes_ = std::move(yes);
  askedNo_ = std::move(no);
  if (MenuButton* yesButton = FindButton(MenuId::Confirm, 1)) AssignButton(*yesButton);
  SetMenu(MenuId::Confirm);
  GlideToMenu(MenuId::Confirm);
}

void MenuSystem::Answer(bool yes) {
  const Action chosen = yes ? askedYes_ : askedNo_;
  askedYes_ = askedNo_ = nullptr;
  Hide(MenuId::Confirm);
  SetMenu(MenuId::None);
  if (chosen) chosen();
}

void MenuSystem::AssignAll(Menu& menu) {
  for (auto& [index, button] : menu.Buttons) AssignButton(*button);
  LayoutTexts(menu);
}

void MenuSystem::StartLevel(std::int32_t slot) {
  Serialization& levels = Serialization::Instance();
  SetPaused(false);
  levels.CurrentLevel = slot;
  SerializationEvent load;
  load.Command = SerializationCommand::LoadGame;
  load.FileName = levels.GetLevelFile(slot);
  EventSystem::Instance().Send(load);
  SetMenu(MenuId::None);
}

// A row's Action step builds what a click does from the menus' state when the
// button is assigned; a row without a Label has its step say it (toggles name
// what a click switches to, level buttons their number).
const MenuSystem::ButtonRow MenuSystem::ButtonRows[] = {
    {MenuButtonId::NewGame, u"NEW GAME",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] {
         menus.StartLevel(LevelSlot::FirstPlay);
         menus.ReturnMenu = MenuId::None;
         menus.Hide(MenuId::Main);
       };
     }},
    {MenuButtonId::SelectLevel, u"SELECT LEVEL",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.GoToMenu(MenuId::LevelSelect, MenuId::Main); };
     }},
    {MenuButtonId::MainHowToPlay, u"HOW TO PLAY",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.GoToMenu(MenuId::HowToPlay, MenuId::Main); };
     }},
    {MenuButtonId::MainOptions, u"OPTIONS",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.OpenOptions(MenuButtonId::MainOptions, MenuId::Main); };
     }},
    {MenuButtonId::MainCredits, u"CREDITS",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] {
         SetPaused(false);
         Serialization::Instance().ShowCredits();
         menus.SetMenu(MenuId::None);
         menus.ReturnMenu = MenuId::Main;
       };
     }},
    {MenuButtonId::MainQuit, u"QUIT GAME",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.Confirm(MenuButtonId::MainQuit, MenuId::Main); };
     }},
    {MenuButtonId::Resume, u"RESUME GAME",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] {
         SetMasterVolume(FullVolume);
         SetPaused(false);
         menus.SetMenu(MenuId::None);
       };
     }},
    {MenuButtonId::PauseHowToPlay, u"HOW TO PLAY",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.GoToMenu(MenuId::HowToPlay, MenuId::Pause); };
     }},
    {MenuButtonId::PauseOptions, u"OPTIONS",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.OpenOptions(MenuButtonId::PauseOptions, MenuId::Pause); };
     }},
    {MenuButtonId::PauseCredits, u"CREDITS",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] {
         SetPaused(false);
         SetMasterVolume(FullVolume);
         Serialization::Instance().ShowCredits();
         menus.SetMenu(MenuId::None);
         menus.ReturnMenu = MenuId::Pause;
         ClearParticles();
       };
     }},
    {MenuButtonId::RestartLevel, u"RESTART LEVEL",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.Confirm(MenuButtonId::RestartLevel, MenuId::Pause); };
     }},
    {MenuButtonId::ToMainMenu, u"TO MAIN MENU",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.Confirm(MenuButtonId::ToMainMenu, MenuId::Pause); };
     }},
    {MenuButtonId::PauseQuit, u"QUIT GAME",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.Confirm(MenuButtonId::PauseQuit, MenuId::Pause); };
     }},
    {MenuButtonId::Yes, u"YES", [](MenuSystem& menus, MenuButton&) { return menus.ConfirmedAction(); }},
    {MenuButtonId::No, u"NO",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] {
         const Menu* confirm = menus.FindMenu(MenuId::Confirm);
         if (confirm != nullptr && confirm->Opener == kAsked) {
           menus.Answer(false);
         } else {
           menus.BackToReturnMenu(MenuId::Confirm);
         }
       };
     }},
    {MenuButtonId::HowToPlayBack, u"BACK",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.BackToReturnMenu(MenuId::HowToPlay); };
     }},
    {MenuButtonId::ScreenMode, nullptr,
     [](MenuSystem& menus, MenuButton& button) -> Action {
       button.Label = Windows::Instance().Fullscreen ? u"WINDOW MODE" : u"FULL SCREEN";
       return [&menus, &button] {
         Windows& windows = Windows::Instance();
         const bool goFullscreen = !windows.Fullscreen;
         windows.SetFullscreen(goFullscreen);
         button.Label = goFullscreen ? u"WINDOW MODE" : u"FULL SCREEN";
         menus.CentreLabel(button);
       };
     }},
    {MenuButtonId::Music, nullptr,
     [](MenuSystem& menus, MenuButton& button) -> Action {
       button.Label = AudioSystem::Instance().MusicPaused ? u"UNMUTE MUSIC" : u"MUTE MUSIC";
       return [&menus, &button] {
         const bool paused = AudioSystem::Instance().MusicPaused;
         AudioSystem::Post(paused ? AudioCommand::ResumeMusic : AudioCommand::PauseMusic);
         button.Label = paused ? u"MUTE MUSIC" : u"UNMUTE MUSIC";
         menus.CentreLabel(button);
       };
     }},
    {MenuButtonId::Audio, nullptr,
     [](MenuSystem& menus, MenuButton& button) -> Action {
       button.Label = AudioSystem::Instance().MasterPaused ? u"UNMUTE AUDIO" : u"MUTE AUDIO";
       return [&menus, &button] {
         const bool paused = AudioSystem::Instance().MasterPaused;
         AudioSystem::Post(paused ? AudioCommand::ResumeMaster : AudioCommand::PauseMaster);
         button.Label = paused ? u"MUTE AUDIO" : u"UNMUTE AUDIO";
         menus.CentreLabel(button);
       };
     }},
    {MenuButtonId::Language, nullptr,
     [](MenuSystem& menus, MenuButton& button) -> Action {
       // Names the language a click switches to.
       button.Label = Localisation::Instance().Language == LanguageId::English ? u"RUSSIAN" : u"ENGLISH";
       return [&menus, &button] {
         Localisation& localisation = Localisation::Instance();
         const bool toRussian = localisation.Language == LanguageId::English;
         localisation.Language = toRussian ? LanguageId::Russian : LanguageId::English;
         ApplyLanguageToSprites();
         button.Label = toRussian ? u"ENGLISH" : u"RUSSIAN";
         if (button.Owner != nullptr) menus.LayoutTexts(*button.Owner);
       };
     }},
    {MenuButtonId::OptionsBack, u"BACK",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] { menus.BackToReturnMenu(MenuId::Options); };
     }},
    {MenuButtonId::NextPage, u"NEXT",
     [](MenuSystem& menus, MenuButton& button) -> Action {
       // Only while the next page starts at a level that exists.
       if (menus.LevelPage + LevelsPerPage + 1 > LevelSlot::NumberedLevels) return nullptr;
       return [&menus, &button] { menus.TurnPage(button, LevelsPerPage); };
     }},
    {MenuButtonId::FirstLevelButton, nullptr,
     [](MenuSystem& menus, MenuButton& button) { return menus.LevelButtonAction(button); }},
    {MenuButtonId::PreviousPage, u"PREVIOUS",
     [](MenuSystem& menus, MenuButton& button) -> Action {
       if (menus.LevelPage < LevelsPerPage) return nullptr;
       return [&menus, &button] { menus.TurnPage(button, -LevelsPerPage); };
     }},
    {MenuButtonId::LevelSelectMainMenu, u"MAIN MENU",
     [](MenuSystem& menus, MenuButton&) -> Action {
       return [&menus] {
         const std::int32_t target = menus.ReturnMenu;
         menus.SetMenu(target);
         menus.ReturnMenu = MenuId::LevelSelect;
         menus.GlideToMenu(MenuId::Main);
       };
     }},
};

void MenuSystem::AssignButton(MenuButton& button) {
  // The level buttons share one row: what they say and load follows the page.
  const bool levelButton =
      button.ButtonId >= MenuButtonId::FirstLevelButton && button.ButtonId <= MenuButtonId::LastLevelButton;
  const std::int32_t id = levelButton ? std::int32_t{MenuButtonId::FirstLevelButton} : button.ButtonId;
  const auto row = std::ranges::find(ButtonRows, id, &ButtonRow::Id);
  if (row == std::ranges::end(ButtonRows)) return;
  if (row->Label != nullptr) button.Label = row->Label;
  button.Action = row->MakeAction(*this, button);
}

void MenuSystem::OpenOptions(std::int32_t opener, std::int32_t from) {
  if (Menu* options = FindMenu(MenuId::Options)) options->Opener = opener;
  GoToMenu(MenuId::Options, from);
}

void MenuSystem::TurnPage(MenuButton& button, std::int32_t levels) {
  LevelPage += levels;
  if (button.Owner != nullptr) AssignAll(*button.Owner);
}

MenuSystem::Action MenuSystem::ConfirmedAction() {
  const Menu* confirm = FindMenu(MenuId::Confirm);
  const std::int32_t opener = confirm != nullptr ? confirm->Opener : 0;
  if (opener == kAsked) return [this] { Answer(true); };
  if (opener == MenuButtonId::MainQuit || opener == MenuButtonId::PauseQuit) {
    return [] { Engine::Instance().Running = false; };
  }
  if (opener == MenuButtonId::RestartLevel) {
    return [this] {
      auto restart = std::make_unique<SerializationEvent>();
      restart->Command = SerializationCommand::RestartOrContinue;
      EventSystem::Instance().Post(std::move(restart));
      SetPaused(false);
      Hide(MenuId::Confirm);
      SetMenu(MenuId::None);
      SetMasterVolume(FullVolume);
    };
  }
  if (opener == MenuButtonId::ToMainMenu) {
    return [this] {
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
  }
  return nullptr;
}

MenuSystem::Action MenuSystem::LevelButtonAction(MenuButton& button) {
  // The first level button stands next to NEXT at the right end: the numbers grow
  // to the left, from the page's first level at the last button.
  const std::int32_t number = LevelPage + 1 + (MenuButtonId::LastLevelButton - button.ButtonId);
  if (number > LevelSlot::NumberedLevels) {
    button.Label.clear();
    return nullptr;
  }
  button.Label = LevelLabel(number);
  return [this, slot = SlotOfLevelNumber(number)] { StartLevel(slot); };
}

}  // namespace Framework
