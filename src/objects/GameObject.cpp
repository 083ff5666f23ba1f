#include "objects/GameObject.h"

#include "engine/EventSystem.h"

namespace Framework {

GameObject::~GameObject() {
  DestroyComponents();
  if (EventSystem::IsAlive()) EventSystem::Instance().ForgetObject(this);
}

}  // namespace Framework
