#include "game/Startup.h"

#include <functional>
#include <string>
#include <utility>

#include "audio/AudioSystem.h"
#include "editor/EditorSession.h"
#include "editor/LevelSaver.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Windows.h"
#include "game/Archetypes.h"
#include "game/ComponentRows.h"
#include "gameplay/CreditsScript.h"
#include "gameplay/GameFlow.h"
#include "graphics/Graphics.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"
#include "objects/Factory.h"
#include "objects/Scripting.h"
#include "objects/Transform.h"
#include "particles/ParticleDrawing.h"
#include "particles/ParticleSystem.h"
#include "physics/Physics.h"

namespace Framework {

void RegisterGame() {
  RegisterArchetypes();
  RegisterComponentRows();
  Windows::WindowHooks& window = Windows::Hooks;
  window.CloseRequested = [] { GameFlow::Instance().OnCloseRequest(); };
  window.KeyPressed = [](SDL_Keycode key) { GameFlow::Instance().OnKey(key); };
  // The editor hears every event first: F4, and its own keys and mouse while open.
  window.EventTaken = [](const SDL_Event& event) { return EditorSession::Instance().OnEvent(event); };
  window.FocusLost = [] { GameFlow::Instance().OnFocusLost(); };
  window.Restored = [] { GameFlow::Instance().OnRestored(); };
  window.FocusGained = [] { GameFlow::Instance().OnFocusGained(); };
  window.View = [] {
    const Camera& camera = Graphics::Instance().Camera;
    return Windows::ViewArea{{camera.Position.x, camera.Position.y}, camera.ViewHalfWidth, camera.ViewHalfHeight};
  };
  window.FitView = [](float aspect) { Graphics::Instance().Camera.FitAspect(aspect); };
  window.MenuShown = [] { return MenuSystem::Instance().HasActiveMenu(); };
  window.AimCentre = []() -> std::optional<Vec2> {
    const GameObject* player = Factory::Instance().Player;
    const Transform* transform = player != nullptr ? player->GetComponent<Transform>() : nullptr;
    if (transform == nullptr) return std::nullopt;
    return transform->Position;
  };
}

namespace {

void ConnectEditor() {
  EditorSession& editor = EditorSession::Instance();
  Graphics& graphics = Graphics::Instance();
  editor.View = &graphics.Camera;
  editor.MenuShown = [] { return MenuSystem::Instance().HasActiveMenu(); };
  editor.KeyState = [] { return Windows::Instance().KeyState(); };
  editor.Ask = [](const std::u16string& question, std::function<void()> yes, std::function<void()> no) {
    MenuSystem::Instance().Ask(question, std::move(yes), std::move(no));
  };
  graphics.CameraHeld = [] { return EditorSession::Instance().HoldsCamera(); };
  graphics.OverlayPass = [](Graphics& g) { EditorSession::Instance().Draw(g); };
  graphics.DepthShown = [](float depth) { return EditorSession::Instance().DepthShown(depth); };
  GameFlow::Instance().UnsavedWork = [] { return EditorSession::Instance().UnsavedEdits(); };
  // Levels edited from a read-only install are played from the user's copies.
  LevelSaver::UseCopies(LevelSaver::DefaultCopyFolder());
}

}  // namespace

void StartGame() {
  RegisterGame();
  Engine& engine = Engine::Instance();
  // Registration order is update order, and construction order: the singletons are
  // destroyed in reverse, so the Factory goes before Scripting and the EventSystem.
  engine.AddSystem(&AudioSystem::Instance());
  engine.AddSystem(&Windows::Instance());
  engine.AddSystem(&EditorSession::Instance());
  engine.AddSystem(&Graphics::Instance());
  engine.AddSystem(&Scripting::Instance());
  engine.AddSystem(&EventSystem::Instance());
  engine.AddSystem(&MenuSystem::Instance());
  engine.AddSystem(&Physics::Instance());
  engine.AddSystem(&ParticleSystem::Instance());
  engine.AddSystem(&Factory::Instance());
  engine.AddSystem(&Serialization::Instance());
  // Particles are drawn by Graphics and dropped by every level load.
  Graphics::Instance().CollectParticles = [](Graphics& graphics) {
    CollectParticles(ParticleSystem::Instance(), graphics);
  };
  Serialization::Instance().Hooks.ClearParticles = [] { ParticleSystem::Instance().Clear(); };
  Serialization::Instance().Hooks.PrepareCreditsSave = &CreditsScript::PrepareInterruptedLevel;
  Serialization::Instance().Hooks.PlayOnly = &CreditsScript::IsPlayOnly;
  ConnectEditor();
  for (InterfaceSystem* system : engine.Systems) system->Initialize();
}

void StopGame() {
  // Close the sound device while SDL is certainly still up.
  AudioSystem::Instance().Shutdown();
  Engine::Instance().Systems.clear();
}

int RunGame() {
  StartGame();
  Engine::Instance().MainLoop();
  StopGame();
  return 0;
}

}  // namespace Framework
