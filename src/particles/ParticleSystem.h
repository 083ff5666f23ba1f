// ParticleSystem: owns every particle, ages and moves them once per frame, and
// forgets an emitter's bookkeeping once the emitter is gone and its last particle
// has died (at most one emitter per frame). Level changes clear everything.
// Particles are keyed by their emitter's creation number, so they are walked (and
// drawn) in the order the emitters were made, in every run alike.
// Invariant: the number of live particles never exceeds MaxLiveParticles, and an
// emitter adds at most MaxSpawnsPerEmitterPerFrame per frame, whatever a level says.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <random>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/EventListener.h"
#include "engine/Events.h"
#include "engine/InterfaceSystem.h"
#include "particles/Interpolator.h"
#include "particles/Particle.h"

namespace Framework {

class ParticleEmitter;

class ParticleSystem : public InterfaceSystem {
 public:
  // Safety limits against hostile level settings (a huge rate, count or lifetime).
  // The game's own effects stay far below them: a burst is about 200 particles.
  static constexpr std::size_t MaxLiveParticles = 50000;
  static constexpr std::size_t MaxSpawnsPerEmitterPerFrame = 1000;
  // Room reserved at an emitter's first spawn is capped too, so many emitters
  // with absurd lifetimes cannot claim memory they never fill.
  static constexpr std::size_t MaxReserve = 4096;

  struct EmitterRecord {
    bool Configured = false;
    bool Alive = true;
    // The emitter's per-particle interpolators, copied at its first spawn.
    std::array<InterpolatorConfig, ParticleChannel::Count> Configs{};
  };

  static ParticleSystem& Instance();
  // False once the singleton has been destroyed at exit: emitters that die after
  // it (the Factory may outlive it) have nothing left to tell.
  static bool IsAlive();
  ~ParticleSystem() override;

  // Subscribes to SerializationEvents (level changes clear everything).
  void Initialize() override;
  // Ages, interpolates and moves every particle, removes the dead ones and at most
  // one finished emitter; nothing at all while paused.
  void Update(float dt, bool paused) override;

  // Adds one particle for `emitter`; false (and nothing added) at MaxLiveParticles.
  bool Spawn(const ParticleEmitter& emitter);
  // Drops every particle and record.
  void Clear();
  // The emitter is gone: its particles live on, its entries go when they are dead.
  void ForgetEmitter(std::uint64_t serial);
  void OnSerializationEvent(const SerializationEvent& event);

  // A fresh seed for Generator from the Random seam (a test's master seed).
  void Reseed();
  // low + u / (2^32 / (high − low)) in single precision, u the next 32-bit output.
  float RandomInRange(float low, float high);
  std::size_t LiveCount() const { return live_; }
  // Says once per level that a safety limit held particles back.
  void ReportLimit(std::string_view what);

  std::unordered_map<std::uint64_t, EmitterRecord> Records;
  std::map<std::uint64_t, std::vector<Particle>> Particles;
  std::mt19937 Generator;

 private:
  ParticleSystem();
  void RemoveOneFinishedEmitter();

  Subscription listener_;
  std::size_t live_ = 0;
  bool limitReported_ = false;
};

using ParticleSystemListener = EventListener<&ParticleSystem::OnSerializationEvent>;

}  // namespace Framework
