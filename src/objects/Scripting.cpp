#include "objects/Scripting.h"

#include <algorithm>

#include "objects/Script.h"

namespace Framework {

Scripting& Scripting::Instance() {
  static Scripting scripting;
  return scripting;
}

void Scripting::Initialize() { Scripts.clear(); }

void Scripting::Add(Script* script) { Scripts.push_back(script); }

void Scripting::Remove(Script* script) {
  auto it = std::find(Scripts.begin(), Scripts.end(), script);
  if (it == Scripts.end()) return;
  if (inPass_) {
    // The pass walks by position: blank the slot so no later script shifts past it.
    *it = nullptr;
    hasHoles_ = true;
  } else {
    Scripts.erase(it);
  }
}

std::size_t Scripting::Count() const {
  return static_cast<std::size_t>(std::count_if(Scripts.begin(), Scripts.end(), [](Script* s) { return s != nullptr; }));
}

void Scripting::Update(float dt, bool paused) {
  if (paused) return;
  // Scripts created during the pass are appended after `count` and wait for the
  // next frame. The list may reallocate meanwhile, so it is indexed afresh each time.
  const std::size_t count = Scripts.size();
  const bool outerPass = !inPass_;
  inPass_ = true;
  for (std::size_t i = 0; i < count && i < Scripts.size(); ++i) {
    if (Script* script = Scripts[i]) script->Update(dt);
  }
  if (outerPass) {
    inPass_ = false;
    if (hasHoles_) {
      std::erase(Scripts, nullptr);
      hasHoles_ = false;
    }
  }
}

}  // namespace Framework
