#include "engine/EventSystem.h"

#include <algorithm>

#include "engine/Events.h"

namespace Framework {

namespace {
bool g_eventSystemAlive = false;
}

EventSystem& EventSystem::Instance() {
  static EventSystem system;
  return system;
}

bool EventSystem::IsAlive() { return g_eventSystemAlive; }

EventSystem::EventSystem() { g_eventSystemAlive = true; }

EventSystem::~EventSystem() {
  g_eventSystemAlive = false;
  // Listener destructors might post or unsubscribe; detach everything first.
  queue_.clear();
  for (auto& list : listeners_) list.Clear();
  for (auto& [object, components] : registry_) {
    for (ObjectEventReceiver* component : components.Items()) {
      if (component) component->receivesObjectEvents_ = false;
    }
  }
  registry_.clear();
  retired_.clear();
  owned_.clear();
}

Listener* EventSystem::Subscribe(EventType type, std::unique_ptr<Listener> listener) {
  Listener* raw = listener.get();
  if (!raw) return nullptr;
  owned_.emplace(raw, std::move(listener));
  Subscribe(type, raw);
  return raw;
}

void EventSystem::Subscribe(EventType type, Listener* listener) {
  listeners_[static_cast<std::size_t>(type)].Add(listener);
}

void EventSystem::Unsubscribe(EventType type, Listener* listener) {
  listeners_[static_cast<std::size_t>(type)].Remove(listener);
  ReleaseIfUnlisted(listener);
}

bool EventSystem::IsListed(Listener* listener) const {
  return std::any_of(listeners_.begin(), listeners_.end(),
                     [listener](const auto& list) { return list.Contains(listener); });
}

void EventSystem::ReleaseIfUnlisted(Listener* listener) {
  auto it = owned_.find(listener);
  if (it == owned_.end() || IsListed(listener)) return;
  std::unique_ptr<Listener> doomed = std::move(it->second);
  owned_.erase(it);
  if (deliveryDepth_ > 0) {
    retired_.push_back(std::move(doomed));
  }
  // Otherwise `doomed` is freed here.
}

void EventSystem::Post(std::unique_ptr<Event> event) {
  if (event) queue_.push_back(std::move(event));
}

void EventSystem::Send(Event& event) { Deliver(event); }

void EventSystem::SubscribeComponent(ObjectEventReceiver* component) {
  if (!component || !component->Owner || component->receivesObjectEvents_) return;
  registry_[component->Owner].Add(component);
  component->receivesObjectEvents_ = true;
}

void EventSystem::UnsubscribeComponent(ObjectEventReceiver* component) {
  if (!component || !component->receivesObjectEvents_) return;
  component->receivesObjectEvents_ = false;
  // By pointer: the component may be half destroyed and already gone from its object's map.
  auto it = registry_.find(component->Owner);
  if (it == registry_.end()) return;
  it->second.Remove(component);
  EraseIfUnused(component->Owner);
}

void EventSystem::EraseIfUnused(GameObject* object) {
  auto it = registry_.find(object);
  if (it != registry_.end() && it->second.Empty() && !it->second.InPass()) registry_.erase(it);
}

void EventSystem::ForgetObject(GameObject* object) {
  std::erase_if(queue_, [object](std::unique_ptr<Event>& event) {
    // A component command for an object gone before delivery has nothing left to act on.
    if (event->Type == EventType::Factory) return static_cast<FactoryEvent*>(event.get())->Object == object;
    if (event->Type != EventType::Object) return false;
    auto* objectEvent = static_cast<ObjectEvent*>(event.get());
    if (objectEvent->Object == object) return true;
    if (auto* collision = dynamic_cast<CollisionObjectEvent*>(objectEvent); collision && collision->Other == object) {
      collision->Other = nullptr;
    }
    return false;
  });
  auto it = registry_.find(object);
  if (it == registry_.end()) return;
  for (ObjectEventReceiver* component : it->second.Items()) {
    if (component) component->receivesObjectEvents_ = false;
  }
  it->second.Clear();
  EraseIfUnused(object);
}

std::size_t EventSystem::ListenerCount(EventType type) const {
  return listeners_[static_cast<std::size_t>(type)].Count();
}

void EventSystem::Deliver(Event& event) {
  ++deliveryDepth_;
  if (event.Type == EventType::Object) {
    GameObject* object = static_cast<ObjectEvent&>(event).Object;
    if (auto it = registry_.find(object); it != registry_.end()) {
      // The entry cannot be erased while its pass runs (EraseIfUnused waits for it).
      it->second.ForEach([&event](ObjectEventReceiver* component) { component->OnObjectEvent(&event); });
      EraseIfUnused(object);
    }
  } else {
    const auto index = static_cast<std::size_t>(event.Type);
    if (index < listeners_.size()) {
      listeners_[index].ForEach([&event](Listener* listener) { listener->OnEvent(&event); });
    }
  }
  if (--deliveryDepth_ == 0 && !retired_.empty()) {
    // Nothing can be calling the retired listeners any more. Move them out first:
    // a destructor that unsubscribes something else must not touch a list being cleared.
    auto retired = std::move(retired_);
    retired_.clear();
  }
}

void EventSystem::Update(float, bool) {
  while (!queue_.empty()) {
    std::unique_ptr<Event> event = std::move(queue_.front());
    queue_.pop_front();
    Deliver(*event);
  }
}

Subscription::Subscription(EventType type, std::unique_ptr<Listener> listener)
    : type_(type), listener_(EventSystem::Instance().Subscribe(type, std::move(listener))) {}

Subscription::Subscription(Subscription&& other) noexcept : type_(other.type_), listener_(other.listener_) {
  other.listener_ = nullptr;
}

Subscription& Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    Reset();
    type_ = other.type_;
    listener_ = other.listener_;
    other.listener_ = nullptr;
  }
  return *this;
}

Subscription::~Subscription() { Reset(); }

void Subscription::Reset() {
  if (listener_ && EventSystem::IsAlive()) EventSystem::Instance().Unsubscribe(type_, listener_);
  listener_ = nullptr;
}

}  // namespace Framework
