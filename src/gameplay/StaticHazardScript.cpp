#include "gameplay/StaticHazardScript.h"

#include <memory>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "gameplay/DeathAnimation.h"
#include "gameplay/HazardContact.h"
#include "objects/Factory.h"

namespace Framework {

void StaticHazardScript::Initialize() { RegisterForContacts(*this); }

void StaticHazardScript::OnObjectEvent(Event* event) {
  if (!IsPlayerContact(event)) return;
  AudioSystem::Post(AudioCommand::PlaySfx, "crash.ogg");
  auto death = std::make_unique<DeathEvent>();
  death->Cause = DeathAnimation::CauseStaticHazard;
  death->Source = Owner;
  EventSystem::Instance().Post(std::move(death));
}

}  // namespace Framework
