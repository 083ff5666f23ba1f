// ComponentTable: one row per component the game knows. A row ties the
// component's key in level files (if it has one) to the Factory command that
// attaches it, the step that attaches it, and the one field list that both
// reads its block and writes it back.
//
// Adding a component: write its field list (levels/LevelFields.h) and add its
// row here; the Factory, the level loader and the save writer all follow.
// Invariant: rows are in the order their keys are tested when an object is
// built (a Transform is always attached before anything that reads it), rows
// without a key come after all keyed rows, and every key and command is unique.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "levels/LevelFields.h"
#include "objects/GameObject.h"
#include "objects/FactoryTable.h"

namespace Framework {

struct ComponentRow {
  // Empty: the component is never in level files (made only while playing).
  std::string_view Key;
  std::int32_t Command;
  // Null: the component class does not exist yet; its command and key do nothing.
  AttachStep Attach;
  // Initialise the component once more after the caller's Callback has configured it.
  bool InitializeAfterCallback;
  // Null: the component has no members in level files (only its presence counts,
  // and its block is written as the empty string).
  const ComponentFields* Fields;
};

// The rows with a level key, in the order keys are tested when an entry is built.
std::span<const ComponentRow> ComponentRows();
// Null when the key is not a component key of the level format.
const ComponentRow* FindComponentRow(std::string_view key);
// Null when the command attaches no component.
const ComponentRow* FindComponentCommand(std::int32_t command);
// Whether the object exists only while playing (a bomb in flight, a firefly):
// it carries a component of a keyless row, and no level file or save holds it.
bool IsPlayOnly(const GameObject& object);

}  // namespace Framework
