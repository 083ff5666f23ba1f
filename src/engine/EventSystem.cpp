#include "engine/EventSystem.h"

#include <algorithm>

#include "engine/Events.h"
#include "objects/Component.h"

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
  for (auto& list : listeners_) list.clear();
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
  if (!listener) return;
  listeners_[static_cast<std::size_t>(type)].push_back(listener);
}

void EventSystem::Unsubscribe(EventType type, Listener* listener) {
  auto& list = listeners_[static_cast<std::size_t>(type)];
  if (deliveryDepth_ > 0) {
    // A pass may be walking this list: blank the slots instead of shifting them.
    std::replace(list.begin(), list.end(), listener, static_cast<Listener*>(nullptr));
    hasHoles_ = true;
  } else {
    std::erase(list, listener);
  }
  ReleaseIfUnlisted(listener);
}

bool EventSystem::IsListed(Listener* listener) const {
  return std::any_of(listeners_.begin(), listeners_.end(), [listener](const auto& list) {
    return std::find(list.begin(), list.end(), listener) != list.end();
  });
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

void EventSystem::SubscribeComponent(GameObject* object, Component* component) {
  if (!object || !component) return;
  registry_[object].push_back(component);
}

void EventSystem::UnsubscribeComponent(GameObject* object, Component* component) {
  auto it = registry_.find(object);
  if (it == registry_.end() || !component) return;
  auto& list = it->second;
  if (deliveryDepth_ > 0) {
    std::replace(list.begin(), list.end(), component, static_cast<Component*>(nullptr));
    hasHoles_ = true;
    return;  // empty entries are erased when the delivery ends
  }
  std::erase(list, component);
  if (list.empty()) registry_.erase(it);
}

void EventSystem::ForgetObject(GameObject* object) {
  std::erase_if(queue_, [object](std::unique_ptr<Event>& event) {
    if (event->Type != EventType::Object) return false;
    auto* objectEvent = static_cast<ObjectEvent*>(event.get());
    if (objectEvent->Object == object) return true;
    if (auto* collision = dynamic_cast<CollisionObjectEvent*>(objectEvent); collision && collision->Other == object) {
      collision->Other = nullptr;
    }
    return false;
  });
  registry_.erase(object);
}

std::size_t EventSystem::ListenerCount(EventType type) const {
  const auto& list = listeners_[static_cast<std::size_t>(type)];
  return static_cast<std::size_t>(std::count_if(list.begin(), list.end(), [](Listener* l) { return l != nullptr; }));
}

void EventSystem::Deliver(Event& event) {
  ++deliveryDepth_;
  if (event.Type == EventType::Object) {
    auto& objectEvent = static_cast<ObjectEvent&>(event);
    // Look the entry up afresh at every step: a handler may register components
    // (the map may rehash) or unregister them (their slots are blanked, never erased here).
    for (std::size_t i = 0;; ++i) {
      auto it = registry_.find(objectEvent.Object);
      if (it == registry_.end() || i >= it->second.size()) break;
      if (Component* component = it->second[i]) component->OnObjectEvent(&event);
    }
  } else {
    const auto index = static_cast<std::size_t>(event.Type);
    if (index < listeners_.size()) {
      auto& list = listeners_[index];
      // By position and re-reading the size: listeners added during the pass are reached.
      for (std::size_t i = 0; i < list.size(); ++i) {
        if (Listener* listener = list[i]) listener->OnEvent(&event);
      }
    }
  }
  if (--deliveryDepth_ == 0) EndDelivery();
}

void EventSystem::EndDelivery() {
  if (!hasHoles_ && retired_.empty()) return;
  hasHoles_ = false;
  for (auto& list : listeners_) std::erase(list, nullptr);
  for (auto it = registry_.begin(); it != registry_.end();) {
    std::erase(it->second, nullptr);
    it = it->second.empty() ? registry_.erase(it) : std::next(it);
  }
  // Nothing can be calling the retired listeners any more. Move them out first:
  // a destructor that unsubscribes something else must not touch a list being cleared.
  auto retired = std::move(retired_);
  retired_.clear();
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
