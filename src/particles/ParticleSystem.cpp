#include "particles/ParticleSystem.h"

#include <algorithm>
#include <iostream>

#include "engine/Commands.h"
#include "engine/Random.h"
#include "particles/ParticleEmitter.h"

namespace Framework {

namespace {
bool g_particleSystemAlive = false;
}

ParticleSystem& ParticleSystem::Instance() {
  // Its listener unsubscribes at exit: the EventSystem must outlive it.
  EventSystem::Instance();
  static ParticleSystem system;
  return system;
}

bool ParticleSystem::IsAlive() { return g_particleSystemAlive; }

ParticleSystem::~ParticleSystem() { g_particleSystemAlive = false; }

ParticleSystem::ParticleSystem() : Generator(Random::NextSeed()) {
  g_particleSystemAlive = true;
  // Emitters per level are few; start small as the game always has.
  Records.max_load_factor(1.0f);
  Records.rehash(8);
}

void ParticleSystem::Initialize() { listener_ = Listen<ParticleSystemListener>(this); }

void ParticleSystem::OnSerializationEvent(const SerializationEvent& event) {
  // Every command that loads a level; saving and checkpoints leave the particles be.
  switch (event.Command) {
    case SerializationCommand::LoadGame:
    case SerializationCommand::RestartOrContinue:
    case SerializationCommand::NextLevel:
    case SerializationCommand::PreviousLevel:
    case SerializationCommand::NewGame:
    case SerializationCommand::EnterMainMenu:
    case SerializationCommand::ShowCredits:
      Clear();
      break;
    default:
      break;
  }
}

void ParticleSystem::Clear() {
  Particles.clear();
  Records.clear();
  live_ = 0;
  limitReported_ = false;
}

void ParticleSystem::Reseed() { Generator.seed(Random::NextSeed()); }

float ParticleSystem::RandomInRange(float low, float high) {
  const float f = static_cast<float>(static_cast<std::uint32_t>(Generator()));
  return low + f / (4294967296.0f / (high - low));
}

void ParticleSystem::ReportLimit(std::string_view what) {
  if (limitReported_) return;
  limitReported_ = true;
  std::cout << "ParticleSystem: " << what << "; extra particles are dropped" << std::endl;
}

bool ParticleSystem::Spawn(const ParticleEmitter& emitter) {
  if (live_ >= MaxLiveParticles) {
    ReportLimit("the level asks for more live particles than the limit");
    return false;
  }
  std::vector<Particle>& particles = Particles[emitter.Serial()];
  Particle& p = particles.emplace_back();
  ++live_;
  p.Age = 0.0f;
  p.LifeSpan = RandomInRange(emitter.LifeTimeDistribution.Low, emitter.LifeTimeDistribution.High);
  for (std::size_t c = 0; c < ParticleChannel::Count; ++c) {
    const float v = RandomInRange(emitter.CreationDistribution[c].Low, emitter.CreationDistribution[c].High);
    p.SpawnValues[c] = v;
    p.Values[c] = v;
  }
  for (auto* values : {&p.SpawnValues, &p.Values}) {
    (*values)[ParticleChannel::PositionX] += emitter.EmitterPosition.x;
    (*values)[ParticleChannel::PositionY] += emitter.EmitterPosition.y;
  }

  EmitterRecord& record = Records[emitter.Serial()];
  if (!record.Configured) {
    record.Configs = emitter.ParticleInterpolatorConfig;
    // Room for the live particles of steady emission: mean lifetime × rate.
    const float expected =
        (emitter.LifeTimeDistribution.Low + emitter.LifeTimeDistribution.High) * 0.5f * emitter.SpawnRate;
    if (expected > 0.0f) {  // false for NaN too
      const std::size_t room =
          expected >= static_cast<float>(MaxReserve) ? MaxReserve : static_cast<std::size_t>(expected);
      if (room > particles.capacity()) particles.reserve(room);
    }
    record.Configured = true;
  }
  return true;
}

void ParticleSystem::Update(float dt, bool paused) {
  if (paused) return;
  for (auto& [serial, particles] : Particles) {
    const EmitterRecord& record = Records[serial];
    for (Particle& p : particles) {
      p.Age += dt;
      if (p.Age <= p.LifeSpan) {
        for (std::size_t c = 0; c < ParticleChannel::Count; ++c) {
          Interpolate(p.Values[c], record.Configs[c], p.SpawnValues[c], dt, p.Age);
        }
        p.Values[ParticleChannel::PositionX] += p.Values[ParticleChannel::VelocityX] * dt;
        p.Values[ParticleChannel::PositionY] += p.Values[ParticleChannel::VelocityY] * dt;
      }
    }
    // A lifetime that is not a number counts as over, so no particle is immortal by accident.
    const std::size_t removed = std::erase_if(particles, [](const Particle& p) { return !(p.Age <= p.LifeSpan); });
    live_ -= removed;
  }
  RemoveOneFinishedEmitter();
}

void ParticleSystem::RemoveOneFinishedEmitter() {
  for (auto it = Particles.begin(); it != Particles.end(); ++it) {
    if (!it->second.empty()) continue;
    auto record = Records.find(it->first);
    if (record == Records.end() || record->second.Alive) continue;
    Records.erase(record);
    Particles.erase(it);
    return;
  }
}

void ParticleSystem::ForgetEmitter(std::uint64_t serial) {
  // Creation numbers are never reused, so an emitter that never spawned needs no record.
  auto record = Records.find(serial);
  if (record != Records.end()) record->second.Alive = false;
}

}  // namespace Framework
