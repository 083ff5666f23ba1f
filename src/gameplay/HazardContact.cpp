#include "gameplay/HazardContact.h"

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "objects/Factory.h"

namespace Framework {

void RegisterForContacts(Component& component) {
  if (component.Owner) EventSystem::Instance().SubscribeComponent(&component);
}

bool IsPlayerContact(const Event* event) {
  if (!event || event->Type != EventType::Object) return false;
  const auto* contact = dynamic_cast<const CollisionObjectEvent*>(event);
  GameObject* player = Factory::Instance().Player;
  return contact && contact->Kind == ObjectEvent::CollisionKind && player && contact->Other == player;
}

}  // namespace Framework
