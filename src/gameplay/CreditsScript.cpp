#include "gameplay/CreditsScript.h"

#include <memory>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/Windows.h"
#include "gameplay/BoomScript.h"
#include "gameplay/FireflyScript.h"
#include "gameplay/PlayerAnimation.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

namespace {

constexpr std::uint8_t kLeftButton = 1;

}  // namespace

void CreditsScript::Update(float dt) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;
  transform->Position.y += ScrollSpeed * dt;
  if (transform->Position.y > EndY) {
    Leave();
    return;
  }
  MouseRecord& mouse = Windows::Instance().Mouse;
  if (mouse.Button == kLeftButton && mouse.ButtonEventType == Windows::ButtonUp) {
    Leave();
    mouse.Button = kLeftButton;
    mouse.ButtonEventType = 0;
  }
}

void CreditsScript::Leave() {
  const std::int32_t from = Serialization::Instance().LastLevel;
  auto event = std::make_unique<SerializationEvent>();
  event->Command = from == LevelSlot::MainMenu || from == LevelSlot::Finale ? SerializationCommand::EnterMainMenu
                                                                             : SerializationCommand::RestartOrContinue;
  EventSystem::Instance().Post(std::move(event));
}

bool CreditsScript::IsPlayOnly(const GameObject& object) {
  return object.GetComponent<BoomScript>() != nullptr || object.GetComponent<FireflyScript>() != nullptr;
}

void CreditsScript::PrepareInterruptedLevel() {
  Factory& factory = Factory::Instance();
  if (GameObject* player = factory.Player) {
    auto* transform = player->GetComponent<Transform>();
    const auto* animation = player->GetComponent<PlayerAnimation>();
    if (transform && animation) transform->Scale = animation->BaseScale();
  }
  for (const auto& [id, object] : factory.Objects) {
    if (IsPlayOnly(*object)) factory.QueueDestroy(id);
  }
}

}  // namespace Framework
