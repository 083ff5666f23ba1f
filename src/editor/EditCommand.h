// EditCommand: one undoable step of the level editor, kept as the before and
// after of only the objects it touched, each as a level entry written through the
// component field lists. Undo puts the befores back, redo the afters, so the
// cost of either follows the size of the step, never the size of the level.
// Invariant: a change with no Before made its object (duplicate, paste); one with
// no After removed it (delete); Index is the object's place in the document's
// order where it has one (on the side where it exists).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <json/value.h>

namespace Framework {

// An editor's name for one object: unlike the Factory's id it survives the object
// being built again by an undo.
using EditorHandle = std::uint32_t;

struct ObjectChange {
  EditorHandle Handle = 0;
  std::size_t Index = 0;
  std::optional<Json::Value> Before;
  std::optional<Json::Value> After;
};

struct EditCommand {
  std::string Name;
  std::vector<ObjectChange> Changes;
  std::vector<EditorHandle> SelectionBefore;
  std::vector<EditorHandle> SelectionAfter;
};

}  // namespace Framework
