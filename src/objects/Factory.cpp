#include "objects/Factory.h"

#include "engine/Events.h"
#include "objects/FactoryTable.h"
#include "objects/Scripting.h"
#include "objects/Transform.h"
#include "particles/ParticleSystem.h"

namespace Framework {

namespace {

class FactoryListener : public Listener {
 public:
  explicit FactoryListener(Factory* factory) : factory_(factory) {}
  void OnEvent(Event* event) override {
    if (event->Type == EventType::Factory) factory_->Execute(static_cast<FactoryEvent&>(*event));
  }

 private:
  Factory* factory_;
};

}  // namespace

Factory& Factory::Instance() {
  // Components unregister from these in their destructors, and the Factory deletes
  // the last components at exit: make sure both outlive it, whatever is used first.
  EventSystem::Instance();
  Scripting::Instance();
  // Emitters tell the particle system when they die.
  ParticleSystem::Instance();
  static Factory factory;
  return factory;
}

Factory::Factory() = default;

Factory::~Factory() { DestroyAll(); }

void Factory::Initialize() {
  if (!listener_) listener_ = Subscription(EventType::Factory, std::make_unique<FactoryListener>(this));
}

GameObject* Factory::CreateObject() {
  ++NextId;
  auto object = std::make_unique<GameObject>();
  object->Id = NextId;
  GameObject* raw = object.get();
  Objects[NextId] = std::move(object);
  return raw;
}

GameObject* Factory::Find(std::uint32_t id) const {
  auto it = Objects.find(id);
  return it == Objects.end() ? nullptr : it->second.get();
}

void Factory::QueueDestroy(std::uint32_t id) { DestroyQueue.push_back(id); }

void Factory::DestroyAll() {
  // Detach the whole map before deleting anything, so no destructor can reach a half-destroyed world.
  auto doomed = std::move(Objects);
  Objects.clear();
  Player = nullptr;
  for (auto& [id, object] : doomed) object->DestroyComponents();
  if (EventSystem::IsAlive()) {
    for (auto& [id, object] : doomed) EventSystem::Instance().ForgetObject(object.get());
  }
  doomed.clear();
}

void Factory::Update(float, bool) {
  if (DestroyQueue.empty()) return;
  auto queue = std::move(DestroyQueue);
  DestroyQueue.clear();
  for (std::uint32_t id : queue) {
    auto it = Objects.find(id);
    if (it == Objects.end()) continue;
    std::unique_ptr<GameObject> object = std::move(it->second);
    Objects.erase(it);
    object->DestroyComponents();
    if (EventSystem::IsAlive()) EventSystem::Instance().ForgetObject(object.get());
  }
}

GameObject* Factory::BuildArchetype(std::int32_t command) {
  const Archetype* archetype = FindArchetype(command);
  if (!archetype) return nullptr;
  GameObject* object = CreateObject();
  object->Name = std::string(archetype->Name);
  if (archetype->IsPlayer) Player = object;
  auto* transform = AddComponent<Transform>(*object);
  // The caller's Callback sets the real position and size.
  transform->Position = {0.0f, 0.0f};
  transform->Scale = {0.0f, 0.0f};
  for (AttachStep step : archetype->Steps) step(*object);
  return object;
}

void Factory::Execute(FactoryEvent& event) {
  const std::int32_t command = event.Command;
  if (command >= 0 && command <= 12) {
    if (GameObject* object = BuildArchetype(command)) {
      if (event.Callback) event.Callback(object);
    }
    return;
  }
  if (command == 13) {
    event.Object = CreateObject();
    if (event.Callback) event.Callback(event.Object);
    return;
  }
  if (command == 38) {
    QueueDestroy(event.ObjectId);
    return;
  }
  const ComponentCommand* row = FindComponentCommand(command);
  // Component commands need a target; a sender that forgot one gets nothing rather than a crash.
  if (!row || !event.Object) return;
  Component* component = row->Attach(*event.Object);
  if (event.Callback) {
    event.Callback(event.Object);
    if (row->InitializeAfterCallback && component) component->Initialize();
  }
}

}  // namespace Framework
