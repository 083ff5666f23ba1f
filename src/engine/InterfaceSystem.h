// InterfaceSystem: the base of every system the Engine updates once per frame.
// Systems are process-wide singletons reached through their own Instance();
// the Engine only observes them, it never owns or deletes one.
#pragma once

namespace Framework {

class InterfaceSystem {
 public:
  // Called once, after every system has been registered, in registration order.
  virtual void Initialize() {}
  // Called once per frame with the step in seconds (at most 0.025) and the
  // Engine's Paused flag as it stands when this system's turn comes.
  virtual void Update(float dt, bool paused) = 0;
  virtual ~InterfaceSystem() = default;
};

}  // namespace Framework
