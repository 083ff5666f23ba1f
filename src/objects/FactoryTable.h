// The Factory's building blocks: attach steps (each attaches one component with
// the settings its command implies), the archetype table built from them, and
// what each component command attaches. The objects layer keeps only the lookups;
// the rows name game types, so the game registers them at start-up
// (game/Archetypes.cpp, and levels/ComponentTable.h for the component commands).
// Invariant: each table holds at most one row per command.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/Commands.h"
#include "objects/Factory.h"

namespace Framework {

class Component;
class GameObject;

// Attaches one component (with the settings its command implies) and returns it.
using AttachStep = Component* (*)(GameObject&);

// Attaches a T with its defaults and initialises it.
template <class T>
Component* AttachComponent(GameObject& object) {
  return Factory::Instance().AddComponent<T>(object);
}

// Attaches T and initialises it a second time (emitters and other scripts that
// read their own settings once attached).
template <class T>
Component* AttachTwice(GameObject& object) {
  Component* component = AttachComponent<T>(object);
  component->Initialize();
  return component;
}

// A Transform at (0, 0) with size (0, 0): the caller's Callback sets the real ones.
Component* AttachZeroTransform(GameObject& object);

struct Archetype {
  std::int32_t Command;
  std::string_view Name;
  // The player archetype makes its object the Factory's Player right after creating it.
  bool IsPlayer;
  // After the Transform, in order of attachment.
  std::vector<AttachStep> Steps;
};

// What one component command does to the event's object.
struct ComponentAttach {
  std::int32_t Command;
  AttachStep Attach;
  // Initialise the component once more after the caller's Callback has configured it.
  bool InitializeAfterCallback;
};

// Replace the whole table; setting the same table again changes nothing.
void SetArchetypes(std::vector<Archetype> table);
void SetComponentAttachments(std::vector<ComponentAttach> table);

// Null when the command is not an archetype the game builds.
const Archetype* FindArchetype(std::int32_t command);
// Null when the command attaches no component.
const ComponentAttach* FindComponentAttach(std::int32_t command);

}  // namespace Framework
