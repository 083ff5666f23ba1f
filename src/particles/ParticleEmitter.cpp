#include "particles/ParticleEmitter.h"

#include <iostream>
#include <limits>

#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "particles/ParticleSystem.h"

namespace Framework {

namespace {

std::uint64_t NextSerial() {
  static std::uint64_t next = 0;
  return ++next;
}

}  // namespace

ParticleEmitter::ParticleEmitter() : Script("ParticleEmitter"), serial_(NextSerial()) {
  // Emitters tell the system when they die.
  ParticleSystem::Instance();
}

ParticleEmitter::~ParticleEmitter() {
  if (ParticleSystem::IsAlive()) ParticleSystem::Instance().ForgetEmitter(serial_);
}

void ParticleEmitter::Initialize() {
  FollowOwner();
  RunTime = 0.0f;
  Spawned = 0;
  Start();
}

void ParticleEmitter::Start() {
  RunTime = 0.0f;
  Spawned = 0;
  SpawnRate = InitSpawnRate;
  LifeTimeDistribution = InitLifeTimeDistribution;
  CreationDistribution = InitCreationDistribution;
}

bool ParticleEmitter::FollowOwner() {
  const Transform* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (transform == nullptr) {
    if (!reportedNoTransform_) {
      std::cout << "ParticleEmitter on object " << (Owner ? Owner->Id : 0)
                << " has no Transform: it spawns nothing" << std::endl;
      reportedNoTransform_ = true;
    }
    return false;
  }
  EmitterPosition = transform->Position;
  return true;
}

void ParticleEmitter::Update(float dt) {
  if (!Active) return;
  TimeToBeActive -= dt;
  RunTime += dt;
  if (!FollowOwner()) return;
  if (TimeToBeActive <= 0.0f || static_cast<std::uint32_t>(Spawned) > MaxToSpawn) Active = false;

  Interpolate(LifeTimeDistribution.Low, LifetimeInterpolatorConfig.Low, InitLifeTimeDistribution.Low, dt, RunTime);
  Interpolate(LifeTimeDistribution.High, LifetimeInterpolatorConfig.High, InitLifeTimeDistribution.High, dt, RunTime);
  Interpolate(SpawnRate, SpawnRateInterpolator, InitSpawnRate, dt, RunTime);
  for (std::size_t c = 0; c < ParticleChannel::Count; ++c) {
    Interpolate(CreationDistribution[c].Low, EmitterInterpolatorConfigs[c].Low, InitCreationDistribution[c].Low, dt,
                RunTime);
  }
  for (std::size_t c = 0; c < ParticleChannel::Count; ++c) {
    Interpolate(CreationDistribution[c].High, EmitterInterpolatorConfigs[c].High, InitCreationDistribution[c].High,
                dt, RunTime);
  }
  if (!Active) return;

  ParticleSystem& system = ParticleSystem::Instance();
  std::size_t thisFrame = 0;
  // A NaN rate compares false and spawns nothing; an infinite one is held by the limits.
  while (SpawnRate * RunTime > static_cast<float>(Spawned) && static_cast<std::uint32_t>(Spawned) < MaxToSpawn &&
         Spawned < std::numeric_limits<std::int32_t>::max()) {
    if (thisFrame == ParticleSystem::MaxSpawnsPerEmitterPerFrame) {
      system.ReportLimit("an emitter asked for more particles in one frame than the limit");
      break;
    }
    if (!system.Spawn(*this)) break;
    ++Spawned;
    ++thisFrame;
  }
}

}  // namespace Framework
