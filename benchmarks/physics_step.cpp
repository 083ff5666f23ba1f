// One physics step over a level-sized scene: static platforms on a grid and
// dynamic boxes resting on them, so every step integrates, tests all pairs,
// resolves contacts and posts collision events.
#include <benchmark/benchmark.h>

#include "engine/EventSystem.h"
#include "game/Startup.h"
#include "objects/Factory.h"
#include "physics/Physics.h"
#include "support/PhysicsScene.h"

namespace {

using namespace Framework;

void BM_PhysicsStep(benchmark::State& state) {
  const auto platforms = static_cast<std::size_t>(state.range(0));
  const auto dynamics = static_cast<std::size_t>(state.range(1));
  RegisterGame();
  Factory::Instance().DestroyAll();
  PhysicsScene::BuildPlatformField(platforms, dynamics);
  Physics& physics = Physics::Instance();
  physics.Gravity = -20.0f;
  // Let the boxes land first, so the measured steps are steady play.
  for (int i = 0; i < 60; ++i) physics.Update(0.016666668f, false);
  EventSystem& events = EventSystem::Instance();
  std::size_t contacts = 0;
  int steps = 0;
  for (auto _ : state) {
    physics.Update(0.016666668f, false);
    contacts += physics.ContactCount;
    ++steps;
    // Drain the collision events as the frame loop would (nobody listens here).
    events.Update(0.016666668f, false);
  }
  state.counters["bodies"] = static_cast<double>(platforms + dynamics);
  state.counters["contacts/step"] = steps ? static_cast<double>(contacts) / steps : 0.0;
}
BENCHMARK(BM_PhysicsStep)->Args({200, 50})->Args({50, 20})->Args({1000, 200})->Unit(benchmark::kMicrosecond);

// The cost curve: the step over 10 to 5,000 bodies (four platforms to each box),
// with the broad phase and with the test of every pair.
void BM_PhysicsCost(benchmark::State& state) {
  const auto bodies = static_cast<std::size_t>(state.range(0));
  RegisterGame();
  Factory::Instance().DestroyAll();
  PhysicsScene::BuildPlatformField(bodies * 4 / 5, bodies / 5);
  Physics& physics = Physics::Instance();
  physics.BroadPhase = state.range(1) != 0;
  physics.Gravity = -20.0f;
  EventSystem& events = EventSystem::Instance();
  for (int i = 0; i < 60; ++i) {
    physics.Update(0.016666668f, false);
    events.Update(0.016666668f, false);
  }
  for (auto _ : state) {
    physics.Update(0.016666668f, false);
    state.PauseTiming();
    events.Update(0.016666668f, false);
    state.ResumeTiming();
  }
  physics.BroadPhase = true;
  state.counters["bodies"] = static_cast<double>(physics.Bodies.size());
  state.counters["contacts/step"] = static_cast<double>(physics.ContactCount);
}
BENCHMARK(BM_PhysicsCost)
    ->ArgNames({"bodies", "broad_phase"})
    ->ArgsProduct({{10, 100, 1000, 5000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// The step alone, with the event queue drained outside the timing.
void BM_PhysicsStepOnly(benchmark::State& state) {
  RegisterGame();
  Factory::Instance().DestroyAll();
  PhysicsScene::BuildPlatformField(200, 50);
  Physics& physics = Physics::Instance();
  physics.Gravity = -20.0f;
  for (int i = 0; i < 60; ++i) physics.Update(0.016666668f, false);
  EventSystem& events = EventSystem::Instance();
  for (auto _ : state) {
    physics.Update(0.016666668f, false);
    state.PauseTiming();
    events.Update(0.016666668f, false);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PhysicsStepOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
