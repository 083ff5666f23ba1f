#include "objects/Factory.h"

#include "engine/Commands.h"
#include "engine/EventListener.h"
#include "engine/Events.h"
#include "objects/FactoryTable.h"
#include "objects/Scripting.h"

namespace Framework {

namespace {
using FactoryListener = EventListener<&Factory::Execute>;
}  // namespace

Factory& Factory::Instance() {
  // Components unregister from these in their destructors, and the Factory deletes
  // the last components at exit: make sure both outlive it, whatever is used first.
  EventSystem::Instance();
  Scripting::Instance();
  static Factory factory;
  return factory;
}

Factory::Factory() = default;

Factory::~Factory() { DestroyAll(); }

void Factory::Initialize() {
  if (!listener_) listener_ = Listen<FactoryListener>(this);
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
  // Every component dies before any object does, so none sees a neighbour half destroyed.
  for (auto& [id, object] : doomed) object->DestroyComponents();
  doomed.clear();
}

void Factory::Update(float, bool) {
  if (DestroyQueue.empty()) return;
  auto queue = std::move(DestroyQueue);
  DestroyQueue.clear();
  for (std::uint32_t id : queue) {
    auto it = Objects.find(id);
    if (it == Objects.end()) continue;
    // Out of the map first: a dying component that looks the object up finds nothing.
    std::unique_ptr<GameObject> object = std::move(it->second);
    Objects.erase(it);
    object.reset();
  }
}

void Factory::Destroy(std::uint32_t id) {
  auto it = Objects.find(id);
  if (it == Objects.end()) return;
  std::unique_ptr<GameObject> object = std::move(it->second);
  Objects.erase(it);
  if (Player == object.get()) Player = nullptr;
  object.reset();
}

GameObject* Factory::BuildArchetype(std::int32_t command) {
  const Archetype* archetype = FindArchetype(command);
  if (!archetype) return nullptr;
  GameObject* object = CreateObject();
  object->Name = std::string(archetype->Name);
  if (archetype->IsPlayer) Player = object;
  // The caller's Callback sets the real position and size.
  AttachZeroTransform(*object);
  for (AttachStep step : archetype->Steps) step(*object);
  return object;
}

void Factory::Execute(FactoryEvent& event) {
  const std::int32_t command = event.Command;
  if (command >= FactoryCommand::BuildPlayer && command <= FactoryCommand::LastArchetype) {
    if (GameObject* object = BuildArchetype(command)) {
      if (event.Callback) event.Callback(object);
    }
    return;
  }
  if (command == FactoryCommand::CreateObject) {
    event.Object = CreateObject();
    if (event.Callback) event.Callback(event.Object);
    return;
  }
  if (command == FactoryCommand::QueueDestroy) {
    QueueDestroy(event.ObjectId);
    return;
  }
  const ComponentAttach* row = FindComponentAttach(command);
  // Component commands need a target; a sender that forgot one gets nothing rather than a crash.
  if (!row || !row->Attach || !event.Object) return;
  Component* component = row->Attach(*event.Object);
  if (event.Callback) {
    event.Callback(event.Object);
    if (row->InitializeAfterCallback && component) component->Initialize();
  }
}

}  // namespace Framework
