#include "gameplay/EnemyTrigger.h"

#include <memory>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "gameplay/HazardContact.h"

namespace Framework {

void EnemyTrigger::Initialize() { EventSystem::Instance().SubscribeComponent(this); }

void EnemyTrigger::OnObjectEvent(Event* event) {
  if (!IsPlayerContact(event)) return;
  AudioSystem::Post(AudioCommand::PlaySfx, "crash.ogg");
  auto death = std::make_unique<DeathEvent>();
  death->Cause = DeathCause;
  death->Source = Owner;
  EventSystem::Instance().Post(std::move(death));
}

}  // namespace Framework
