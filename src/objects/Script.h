// Script: a component with a per-frame Update. Every script is listed in the
// Scripting system from construction to destruction, in construction order.
#pragma once

#include <string>

#include "objects/Component.h"

namespace Framework {

class Script : public Component {
 public:
  explicit Script(std::string name);
  ~Script() override;
  virtual void Update(float dt) = 0;
};

}  // namespace Framework
