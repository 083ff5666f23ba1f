// Scripting: updates every live script once per frame, in creation order, unless paused.
// Invariant: a script created during a pass is first updated in the next frame;
// a script destroyed during a pass is never called again.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/InterfaceSystem.h"

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
  std::size_t Count() const;

  // Non-owning. A slot is null while a pass is running and its script was destroyed;
  // the list is compacted when the pass ends.
  std::vector<Script*> Scripts;

 private:
  Scripting() = default;
  bool inPass_ = false;
  bool hasHoles_ = false;
};

}  // namespace Framework
