// DeathAnimation: how the player dies. On the first DeathEvent the player's body
// goes inert, the player shrinks (towards a static hazard, or to nothing for an
// enemy) while a particle spray marks the spot, stays invisible a moment, and
// then the level is restarted.
// Invariants: only the first DeathEvent counts; a death always ends in a
// restart request, whatever the killer or the player's size.
#pragma once

#include <cstdint>

#include "engine/EventListener.h"
#include "engine/Events.h"
#include "engine/Vec2.h"
#include "objects/Script.h"

namespace Framework {

class DeathAnimation : public Script {
 public:
  // Causes carried by DeathEvent.
  static constexpr std::int32_t CauseStaticHazard = 0;
  static constexpr std::int32_t CauseEnemy = 2;
  // Seconds to shrink away, and then to wait before the restart.
  static constexpr float AnimationTime = 0.75f;

  DeathAnimation();
  void Initialize() override;
  void Update(float dt) override;
  void OnDeath(DeathEvent& death);

  // The death under way: set by the DeathEvent, kept until the restart.
  bool Dying() const { return dying_; }
  std::int32_t Cause() const { return cause_; }
  const GameObject* Killer() const { return killer_; }

 private:
  Vec2 baseScale_{0.0f, 0.0f};
  std::int32_t cause_ = CauseStaticHazard;
  bool dying_ = false;
  float deathTimer_ = 0.0f;
  // Observed only at the moment of death; the killer may be gone by the restart.
  GameObject* killer_ = nullptr;
  // Decided at the moment of death: a static hazard at or below the player's
  // centre swallows it downwards, one above pulls it up.
  bool hazardAbove_ = false;

  Subscription listener_;
};

using DeathAnimationListener = EventListener<&DeathAnimation::OnDeath>;

}  // namespace Framework
