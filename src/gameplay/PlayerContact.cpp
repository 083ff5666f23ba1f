#include "gameplay/PlayerContact.h"

#include <memory>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "objects/Factory.h"

namespace Framework {

bool IsPlayerContact(const Event* event) {
  if (!event || event->Type != EventType::Object) return false;
  const auto* contact = dynamic_cast<const CollisionObjectEvent*>(event);
  GameObject* player = Factory::Instance().Player;
  return contact && contact->Kind == 0 && player && contact->Other == player;
}

void PostSound(const std::string& name) {
  auto sound = std::make_unique<AudioEvent>();
  sound->Command = AudioCommand::PlaySfx;
  sound->SoundName = name;
  EventSystem::Instance().Post(std::move(sound));
}

}  // namespace Framework
