// The engine's debug keys (f, x, z): free flight for the player and stepping through
// the play levels. They only post requests; nothing changes until delivery.
#include <memory>

#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "graphics/Graphics.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
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

}  // namespace Framework
