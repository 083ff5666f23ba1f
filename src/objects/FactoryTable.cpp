#include "objects/FactoryTable.h"

#include <algorithm>

#include "objects/Transform.h"

namespace Framework {

namespace {

std::vector<Archetype>& Archetypes() {
  static std::vector<Archetype> table;
  return table;
}

std::vector<ComponentAttach>& Attachments() {
  static std::vector<ComponentAttach> table;
  return table;
}

template <class Row>
const Row* FindCommand(const std::vector<Row>& table, std::int32_t command) {
  auto it = std::find_if(table.begin(), table.end(), [command](const Row& row) { return row.Command == command; });
  return it == table.end() ? nullptr : &*it;
}

}  // namespace

Component* AttachZeroTransform(GameObject& object) {
  auto* transform = Factory::Instance().AddComponent<Transform>(object);
  transform->Position = {0.0f, 0.0f};
  transform->Scale = {0.0f, 0.0f};
  return transform;
}

void SetArchetypes(std::vector<Archetype> table) { Archetypes() = std::move(table); }
void SetComponentAttachments(std::vector<ComponentAttach> table) { Attachments() = std::move(table); }

const Archetype* FindArchetype(std::int32_t command) { return FindCommand(Archetypes(), command); }
const ComponentAttach* FindComponentAttach(std::int32_t command) { return FindCommand(Attachments(), command); }

}  // namespace Framework
