// The Factory's command table: which component each component command attaches,
// and which components each archetype is built from. Adding a component class
// to the game means adding rows here, not code paths in the Factory.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace Framework {

class Component;
class GameObject;

// Attaches one component (with the settings its command implies) and returns it.
using AttachStep = Component* (*)(GameObject&);

struct ComponentCommand {
  std::int32_t Command;
  AttachStep Attach;
  // Initialise the component once more after the caller's Callback has configured it.
  bool InitializeAfterCallback;
};

struct Archetype {
  std::int32_t Command;
  std::string_view Name;
  // The player archetype makes its object the Factory's Player right after creating it.
  bool IsPlayer;
  // After the Transform, in order of attachment.
  std::vector<AttachStep> Steps;
};

// Null when the command is not (yet) a component command the game knows.
const ComponentCommand* FindComponentCommand(std::int32_t command);
const Archetype* FindArchetype(std::int32_t command);

}  // namespace Framework
