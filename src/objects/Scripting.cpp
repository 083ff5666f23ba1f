#include "objects/Scripting.h"

#include "objects/Script.h"

namespace Framework {

Scripting& Scripting::Instance() {
  static Scripting scripting;
  return scripting;
}

void Scripting::Initialize() { scripts_.Clear(); }

void Scripting::Add(Script* script) { scripts_.Add(script); }

void Scripting::Remove(Script* script) { scripts_.Remove(script); }

void Scripting::Update(float dt, bool paused) {
  if (paused) return;
  // A script made by another script this frame starts with the next frame.
  scripts_.ForEach([dt](Script* script) { script->Update(dt); }, PassReach::ExistingOnly);
}

}  // namespace Framework
