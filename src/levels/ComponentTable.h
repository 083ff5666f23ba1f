// ComponentTable: the one place that ties a component's key in level files to
// the Factory command that attaches it, the loader that reads its block and the
// writer that saves it. A component joins the level format by adding its row.
// Invariant: rows are in the order their keys are tested when an object is
// built (a Transform is always attached before anything that reads it), and
// every key is unique.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include <json/value.h>

namespace Framework {

class BlockReader;
class Component;
class GameObject;

// Copies values already read from a level entry into the component the Factory
// has just attached to the object.
using ComponentApplier = std::function<void(GameObject&)>;

// Reads a component's block. A failed read is recorded in the reader; the
// returned applier is then never used.
using ComponentLoader = ComponentApplier (*)(BlockReader& block);

// Writes every level-file member of the component.
using ComponentWriter = Json::Value (*)(const Component& component);

struct ComponentRow {
  std::string_view Key;
  std::int32_t Command;
  // Null: the component has no members in level files (only its presence counts).
  ComponentLoader Load;
  // Null: the block is written as the empty string.
  ComponentWriter Write;
};

std::span<const ComponentRow> ComponentRows();
// Null when the key is not a component key of the level format.
const ComponentRow* FindComponentRow(std::string_view key);

// Floats are widened to double before writing, as the level format expects.
Json::Value WriteXY(float x, float y);

}  // namespace Framework
