// Event traffic of a busy frame: posting and draining the queue with a handful
// of listeners per type, and the object registry's collision deliveries.
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "objects/Component.h"
#include "objects/GameObject.h"

namespace {

using namespace Framework;

class CountingListener : public Listener {
 public:
  void OnEvent(Event*) override { ++count; }
  long count = 0;
};

class CountingComponent : public Component {
 public:
  CountingComponent() : Component("Counting") {}
  void OnObjectEvent(Event*) override { ++count; }
  long count = 0;
};

// One frame's keyboard event plus N audio/factory requests, each heard by four listeners.
void BM_PostAndDrain(benchmark::State& state) {
  EventSystem& events = EventSystem::Instance();
  for (auto type : {EventType::Keyboard, EventType::Audio}) {
    for (int i = 0; i < 4; ++i) events.Subscribe(type, std::make_unique<CountingListener>());
  }
  const auto perFrame = state.range(0);
  for (auto _ : state) {
    events.Post(std::make_unique<KeyboardEvent>());
    for (long i = 0; i < perFrame; ++i) events.Post(std::make_unique<AudioEvent>());
    events.Update(0.0f, false);
  }
  state.SetItemsProcessed(state.iterations() * (perFrame + 1));
}
BENCHMARK(BM_PostAndDrain)->Arg(1)->Arg(16)->Arg(256);

// Collision events for N objects, two registered components each.
void BM_ObjectEvents(benchmark::State& state) {
  EventSystem& events = EventSystem::Instance();
  const auto objects = state.range(0);
  std::vector<std::unique_ptr<GameObject>> world;
  for (long i = 0; i < objects; ++i) {
    auto object = std::make_unique<GameObject>();
    object->Attach(std::make_unique<CountingComponent>());
    events.SubscribeObject<CountingComponent>(object.get());
    world.push_back(std::move(object));
  }
  for (auto _ : state) {
    for (auto& object : world) events.Post(std::make_unique<CollisionObjectEvent>(object.get(), nullptr));
    events.Update(0.0f, false);
  }
  state.SetItemsProcessed(state.iterations() * objects);
}
BENCHMARK(BM_ObjectEvents)->Arg(64)->Arg(1024);

}  // namespace

BENCHMARK_MAIN();
