#include "gameplay/EnemyTrigger.h"

#include <memory>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "gameplay/PlayerContact.h"

namespace Framework {

void EnemyTrigger::Initialize() { EventSystem::Instance().SubscribeComponent(this); }

void EnemyTrigger::OnObjectEvent(Event* event) {
  if (!IsPlayerContact(event)) return;
  PostSound("crash.ogg");
  auto death = std::make_unique<DeathEvent>();
  death->Cause = DeathCause;
  death->Source = Owner;
  EventSystem::Instance().Post(std::move(death));
}

}  // namespace Framework
