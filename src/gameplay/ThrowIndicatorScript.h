// ThrowIndicatorScript: the aiming marker. It sits Distance units from the
// player towards the cursor, turned to point there, and its texture shows how
// many bombs are left: one fewer for every bomb request, all three again on a
// right click.
// Invariant: bombsLeft stays within 0..3 and the texture always matches it.
#pragma once

#include <cstdint>

#include "engine/EventListener.h"
#include "engine/Events.h"
#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class Sprite;

class ThrowIndicatorScript : public Script {
 public:
  static constexpr float Distance = 1.8f;
  static constexpr std::int32_t FullSupply = 3;

  ThrowIndicatorScript() : Script("ThrowIndicatorScript") {}
  void Initialize() override;
  void Update(float dt) override;
  void SetIndicatorTexture();
  // A bomb being built takes one from the supply.
  void OnFactoryEvent(FactoryEvent& event);

 private:
  std::int32_t bombsLeft_ = FullSupply;
  Sprite* sprite_ = nullptr;

  Subscription listener_;
  MissingParts missing_;
};

using ThrowIndicatorListener = EventListener<&ThrowIndicatorScript::OnFactoryEvent>;

}  // namespace Framework
