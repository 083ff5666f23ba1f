#include "engine/ObjectEventReceiver.h"

#include "engine/EventSystem.h"

namespace Framework {

ObjectEventReceiver::~ObjectEventReceiver() {
  // By pointer, in the base destructor: this runs whoever deletes the receiver
  // (its object, a replacing Attach, the Factory), after its object's map has let go of it.
  if (receivesObjectEvents_ && EventSystem::IsAlive()) EventSystem::Instance().UnsubscribeComponent(this);
}

}  // namespace Framework
