#include "gameplay/DynamicHazardScript.h"

#include <memory>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "gameplay/HazardContact.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

void DynamicHazardScript::Initialize() { RegisterForContacts(*this); }

void DynamicHazardScript::Update(float dt) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;
  const Vec2 next = transform->Position + Rate * dt;
  if (Max.x > next.x && Max.y > next.y && next.x > Min.x && next.y > Min.y) {
    transform->Position = next;
    return;
  }
  Rate = Rate * -1.0f;
  transform->Position += Rate * dt;
}

void DynamicHazardScript::OnObjectEvent(Event* event) {
  if (!IsPlayerContact(event)) return;
  AudioSystem::Post(AudioCommand::PlaySfx, "crash.ogg");
  auto restart = std::make_unique<SerializationEvent>();
  restart->Command = SerializationCommand::RestartOrContinue;
  EventSystem::Instance().Post(std::move(restart));
}

}  // namespace Framework
