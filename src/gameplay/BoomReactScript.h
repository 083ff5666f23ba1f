// BoomReactScript: lets an object be shoved by explosions. Every BoomEvent within
// ReactRadius of the object's centre adds the blast's full force to its Body,
// pointing away from the blast; there is no falloff, and nothing at the radius or beyond.
// Invariant: the script listens from its Initialize until it dies, once.
#pragma once

#include "engine/EventListener.h"
#include "engine/Events.h"
#include "gameplay/MissingParts.h"
#include "objects/Script.h"

namespace Framework {

class BoomReactScript : public Script {
 public:
  static constexpr float ReactRadius = 8.0f;

  BoomReactScript() : Script("BoomReactScript") {}
  void Initialize() override;
  void Update(float) override {}
  void OnBoom(BoomEvent& boom);

 private:
  Subscription listener_;
  MissingParts missing_;
};

using BoomReactListener = EventListener<&BoomReactScript::OnBoom>;

}  // namespace Framework
