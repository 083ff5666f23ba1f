// ComponentTable: one row per component the game knows. A row ties the
// component's key in level files (if it has one) to the Factory command that
// attaches it, the step that attaches it, and the one field list that both
// reads its block and writes it back.
//
// The rows name game types, so the game hands them over at start-up
// (game/ComponentRows.cpp). Adding a component: write its field list
// (levels/LevelFields.h) and add its row there; the Factory, the level loader and
// the save writer all follow.
// Invariant: rows are in the order their keys are tested when an object is
// built (a Transform is always attached before anything that reads it), rows
// without a key come after all keyed rows, and every key and command is unique.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "levels/LevelFields.h"
#include "objects/FactoryTable.h"

namespace Framework {

struct ComponentRow {
  // Empty: the component is never in level files (made only while playing).
  std::string_view Key;
  std::int32_t Command;
  // Null: its command and key do nothing.
  AttachStep Attach;
  // Initialise the component once more after the caller's Callback has configured it.
  bool InitializeAfterCallback;
  // Null: the component has no members in level files (only its presence counts,
  // and its block is written as the empty string).
  const ComponentFields* Fields;
};

// Replaces the whole table, and the Factory's component commands with it.
void SetComponentRows(std::vector<ComponentRow> rows);
// The rows with a level key, in the order keys are tested when an entry is built.
std::span<const ComponentRow> ComponentRows();
// Null when the key is not a component key of the level format.
const ComponentRow* FindComponentRow(std::string_view key);

}  // namespace Framework
