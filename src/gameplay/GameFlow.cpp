#include "gameplay/GameFlow.h"

#include <memory>
#include <string>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/Windows.h"
#include "graphics/Graphics.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

namespace Framework {
namespace {

// A player whose archetype is complete has at least this many components; fly mode
// leaves a half-built one alone.
constexpr std::size_t kBuiltPlayerComponents = 4;

std::int32_t CurrentLevel() { return Serialization::Instance().CurrentLevel; }

// The screens that play by themselves with no menu over them: restoring the window
// lets them run on at once.
constexpr bool RunsOnWhenRestored(std::int32_t slot) {
  return slot == LevelSlot::FirstSplash || slot == LevelSlot::Credits;
}

// Debug notices: red, small, shown for one second.
std::unique_ptr<GraphicsEvent> DebugNotice(const std::string& text, float x, float y) {
  auto notice = std::make_unique<GraphicsEvent>();
  notice->Command = GraphicsCommand::ShowText;
  notice->Text = text;
  notice->Size = 12.0f;
  notice->X = x;
  notice->Y = y;
  notice->Lifetime = 1.0f;
  notice->Color = {1.0f, 0.0f, 0.0f};
  return notice;
}

// Debug level steps are shown where the frame-rate text sits: the lower left of the view.
void PostLevelStep(std::int32_t command, const std::string& text) {
  auto step = std::make_unique<SerializationEvent>();
  step->Command = command;
  EventSystem::Instance().Post(std::move(step));
  const Camera& camera = Graphics::Instance().Camera;
  EventSystem::Instance().Post(DebugNotice(text, camera.Position.x - camera.ViewHalfWidth * 0.5f,
                                           camera.Position.y - camera.ViewHalfHeight * 0.5f));
}

}  // namespace

GameFlow& GameFlow::Instance() {
  static GameFlow flow;
  return flow;
}

void GameFlow::OnKey(SDL_Keycode key) {
  Engine& engine = Engine::Instance();
  switch (key) {
    case SDLK_ESCAPE: OnEscape(); break;
    case SDLK_F2: Graphics::Instance().ShowDebug = !Graphics::Instance().ShowDebug; break;
    case SDLK_F10:
      if (UnsavedWork && UnsavedWork()) {
        OnCloseRequest();
      } else {
        engine.Running = false;
      }
      break;
    case SDLK_r: {
      auto restart = std::make_unique<SerializationEvent>();
      restart->Command = SerializationCommand::RestartOrContinue;
      EventSystem::Instance().Post(std::move(restart));
      break;
    }
    case SDLK_x: LoadNextLevel(); break;
    case SDLK_z: LoadPreviousLevel(); break;
    case SDLK_f: ToggleFlyMode(); break;
    case SDLK_F11: {
      Windows& windows = Windows::Instance();
      windows.SetFullscreen(!windows.Fullscreen);
      break;
    }
    default: break;
  }
}

void GameFlow::OnEscape() {
  const MenuSystem& menus = MenuSystem::Instance();
  // A glide between menus finishes first; Escape then acts on the menu it reached.
  if (menus.Transition) return;
  // An open menu takes Escape even when the game runs under it: the window gaining
  // focus unpauses the menu levels, and Escape must still step back from the options.
  if (Engine::Instance().Paused || menus.CurrentMenu != MenuId::None) {
    StepBackThroughMenus();
    return;
  }
  Serialization& levels = Serialization::Instance();
  const std::int32_t level = levels.CurrentLevel;
  if (IsGameLevel(level)) {
    OpenPauseMenu();
  } else if (level == LevelSlot::FirstSplash) {
    // Skips the splash screens.
    levels.EnterMainMenu();
  } else if (level == LevelSlot::Credits) {
    // Credits reached from the menu or the finale go back to the menu; credits
    // reached from a play level go back to that level.
    if (levels.LastLevel == LevelSlot::MainMenu || levels.LastLevel == LevelSlot::Finale) {
      levels.EnterMainMenu();
    } else {
      levels.RestartOrContinue();
    }
  }
}

void GameFlow::OnCloseRequest() {
  // The window is never closed directly: the player confirms in the menus (or
  // presses F10). A minimised window comes back so that the question is seen.
  SDL_Window* window = Windows::Instance().Window;
  if (window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0) SDL_RestoreWindow(window);
  MenuSystem::Instance().RequestQuit(CurrentLevel());
}

void GameFlow::OnFocusLost() {
  Engine::Instance().Paused = true;
  if (!MusicPausedByWindow && !AudioSystem::Instance().MusicPaused) {
    // Music the sound system paused itself (the options) is not the window's to touch.
    AudioSystem::Post(AudioCommand::PauseMusic);
    MusicPausedByWindow = true;
  }
  // A play level that loses the window waits under the pause menu, so that the
  // player coming back has a visible way to resume.
  if (IsGameLevel(CurrentLevel()) && MenuSystem::Instance().CurrentMenu == MenuId::None) OpenPauseMenu();
}

void GameFlow::OnRestored() {
  if (RunsOnWhenRestored(CurrentLevel())) Engine::Instance().Paused = false;
  ResumeMusicPausedByWindow();
}

void GameFlow::OnFocusGained() {
  if (IsScreenLevel(CurrentLevel())) {
    Engine::Instance().Paused = false;
    AudioSystem::Instance().SetMasterVolume(MenuSystem::FullVolume);
  }
  ResumeMusicPausedByWindow();
}

void GameFlow::ResumeMusicPausedByWindow() {
  if (!MusicPausedByWindow) return;
  AudioSystem::Post(AudioCommand::ResumeMusic);
  MusicPausedByWindow = false;
}

void GameFlow::OpenPauseMenu() { MenuSystem::Instance().OpenPauseMenu(); }

void GameFlow::StepBackThroughMenus() { MenuSystem::Instance().StepBack(); }

void GameFlow::ToggleFlyMode() {
  Engine& engine = Engine::Instance();
  GameObject* player = Factory::Instance().Player;
  if (player == nullptr || player->Components.size() < kBuiltPlayerComponents) return;
  engine.FlyMode = !engine.FlyMode;
  // A static body is not integrated, so the controller can move the player by hand.
  if (Body* body = player->GetComponent<Body>()) body->IsStatic = engine.FlyMode;
  EventSystem::Instance().Post(
      DebugNotice(engine.FlyMode ? "Fly Mode Activated" : "Fly Mode Deactivated", 0.0f, 0.0f));
}

void GameFlow::LoadNextLevel() {
  const std::int32_t level = CurrentLevel();
  if (level >= LevelSlot::FirstPlay && level <= LevelSlot::LastNumbered) {
    PostLevelStep(SerializationCommand::NextLevel, "Load Next Level");
  }
}

void GameFlow::LoadPreviousLevel() {
  const std::int32_t level = CurrentLevel();
  if (level > LevelSlot::FirstPlay && level <= LevelSlot::Finale) {
    PostLevelStep(SerializationCommand::PreviousLevel, "Load Previous Level");
  }
}

}  // namespace Framework
