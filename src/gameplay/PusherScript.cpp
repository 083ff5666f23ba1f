#include "gameplay/PusherScript.h"

#include <algorithm>
#include <memory>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/Windows.h"
#include "gameplay/HazardContact.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

namespace {

constexpr std::uint8_t kRightButton = 3;

}  // namespace

void PusherScript::Update(float dt) {
  const MouseRecord& mouse = Windows::Instance().Mouse;
  if (!armed_ && mouse.Button == kRightButton && mouse.ButtonEventType == Windows::ButtonDown) {
    AudioSystem::Post(AudioCommand::PlaySfx, "push.ogg");
    armed_ = true;
  }
  if (!armed_) return;

  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;
  if (auto* sprite = Owner->GetComponent<Sprite>()) sprite->Color = Color3{1.0f, 0.0f, 0.0f};
  // One built larger than LargestScale keeps its size: it only stops growing.
  const auto swell = [dt](float size) { return std::max(size, std::min(size + SwellRate * dt, LargestScale)); };
  transform->Scale = {swell(transform->Scale.x), swell(transform->Scale.y)};

  GameObject* player = Factory::Instance().Player;
  auto* playerTransform = player ? player->GetComponent<Transform>() : nullptr;
  if (!playerTransform) return;
  const Vec2 away = playerTransform->Position - transform->Position;
  const float distance = glm::length(away);
  if (distance < Reach && !shoved_) {
    auto* body = player->GetComponent<Body>();
    // A player exactly on the pusher has no direction to be shoved in.
    if (body && distance > 0.0f && !Engine::Instance().Paused) body->Impulse += away / distance * ShoveForce;
    shoved_ = true;
  }
  if (shoved_) {
    auto destroy = std::make_unique<FactoryEvent>();
    destroy->Command = FactoryCommand::QueueDestroy;
    destroy->ObjectId = Owner->Id;
    EventSystem::Instance().Post(std::move(destroy));
    armed_ = false;
  }
}

}  // namespace Framework
