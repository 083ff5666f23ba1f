// The engine's debug keys (f, x, z): free flight for the player and stepping through
// the play levels. They only post requests; nothing changes until delivery.
#include <memory>

#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "graphics/Graphics.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "levels/Serialization.h"
#include "physics/Body.h"

namespace Framework {
namespace {

// Debug notices: red, small, shown for one second.
std::unique_ptr<GraphicsEvent> DebugNotice(const std::string& text, float x, float y) {
  auto notice = std::make_unique<GraphicsEvent>();
  notice->Command = 0;
  notice->Text = text;
  notice->Size = 12.0f;
  notice->X = x;
  notice->Y = y;
  notice->Lifetime = 1.0f;
  notice->Color = {1.0f, 0.0f, 0.0f};
  return notice;
}

}  // namespace

void Engine::ToggleFlyMode() {
  GameObject* player = Factory::Instance().Player;
  // A player that is not fully built yet (fewer than four components) is left alone.
  if (player == nullptr || player->Components.size() < 4) return;
  FlyMode = !FlyMode;
  // A static body is not integrated, so the controller can move the player by hand.
  if (Body* body = player->GetComponent<Body>()) body->IsStatic = FlyMode;
  EventSystem::Instance().Post(DebugNotice(FlyMode ? "Fly Mode Activated" : "Fly Mode Deactivated", 0.0f, 0.0f));
}

namespace {

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

void Engine::LoadNextLevel() {
  const std::int32_t level = Serialization::Instance().CurrentLevel;
  if (level >= 10 && level <= 17) PostLevelStep(4, "Load Next Level");
}

void Engine::LoadPreviousLevel() {
  const std::int32_t level = Serialization::Instance().CurrentLevel;
  if (level >= 11 && level <= 18) PostLevelStep(5, "Load Previous Level");
}

}  // namespace Framework
