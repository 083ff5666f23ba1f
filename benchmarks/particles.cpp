// The particle work of one busy frame: three bombs' fuse sparks, three explosion
// bursts (restarted every 0.2 s, so one is always bursting) and one death spray,
// i.e. the emitters' Update and the ParticleSystem's Update. Drawing is not included.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/Random.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "particles/ParticleEffects.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleSystem.h"

namespace {

using namespace Framework;

constexpr float kFrame = 1.0f / 60.0f;
constexpr int kBurstFrames = 12;  // 0.2 s

ParticleEmitter* AddEmitter(std::vector<std::unique_ptr<GameObject>>& objects, Vec2 at) {
  objects.push_back(std::make_unique<GameObject>());
  objects.back()->Attach(std::make_unique<Transform>())->Position = at;
  return objects.back()->Attach(std::make_unique<ParticleEmitter>());
}

void BM_ParticleFrame(benchmark::State& state) {
  ParticleSystem& system = ParticleSystem::Instance();
  Random::SetMasterSeed(1);
  system.Clear();
  system.Reseed();
  std::vector<std::unique_ptr<GameObject>> objects;
  std::vector<ParticleEmitter*> emitters, bursts;
  for (int i = 0; i < 3; ++i) {
    ParticleEmitter* fuse = AddEmitter(objects, {i * 5.0f, 2.0f});
    ApplyFuseSparks(*fuse);
    emitters.push_back(fuse);
    ParticleEmitter* burst = AddEmitter(objects, {i * 5.0f, -2.0f});
    bursts.push_back(burst);
    emitters.push_back(burst);
  }
  ParticleEmitter* death = AddEmitter(objects, {-6.0f, 0.0f});
  ApplyDeathSpray(*death, DeathSpray::HazardAbove);
  emitters.push_back(death);

  int frame = 0;
  double live = 0.0;
  auto oneFrame = [&] {
    if (frame++ % kBurstFrames == 0) {
      for (ParticleEmitter* b : bursts) ApplyExplosionBurst(*b);
    }
    for (ParticleEmitter* e : emitters) e->Update(kFrame);
    system.Update(kFrame, false);
  };
  // Reach steady play: every effect running and its oldest sparks dying.
  for (int i = 0; i < 60; ++i) oneFrame();
  for (auto _ : state) {
    oneFrame();
    live += static_cast<double>(system.LiveCount());
  }
  state.counters["live particles"] = live / static_cast<double>(state.iterations());
  Random::ClearMasterSeed();
}
BENCHMARK(BM_ParticleFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
