// Scripting: updates every live script once per frame, in creation order, unless paused.
// Invariant: a script created during a pass is first updated in the next frame;
// a script destroyed during a pass is never called again.
#pragma once

#include <cstddef>

#include "engine/InterfaceSystem.h"
#include "engine/StableList.h"

namespace Framework {

class Script;

class Scripting : public InterfaceSystem {
 public:
  static Scripting& Instance();

  void Initialize() override;
  void Update(float dt, bool paused) override;

  void Add(Script* script);
  void Remove(Script* script);
  // Live scripts, in creation order.
  std::size_t Count() const { return scripts_.Count(); }

 private:
  Scripting() = default;
  // Non-owning; each script adds itself when made and removes itself when it dies.
  StableList<Script> scripts_;
};

}  // namespace Framework
