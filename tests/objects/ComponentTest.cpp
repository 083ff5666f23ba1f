// A component registered for its object's events leaves the registry by dying,
// whoever deletes it: no later object event can reach a deleted component.
#include "objects/Component.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"

namespace Framework {
namespace {

// Registers itself in Initialize, as hazard and trigger scripts do, and never
// unregisters by hand. Hits go to a counter that outlives it.
class HitProbe : public Component {
 public:
  HitProbe() : Component("HitProbe") {}
  void Initialize() override { EventSystem::Instance().SubscribeComponent(this); }
  void OnObjectEvent(Event*) override { ++*hits; }
  int* hits = nullptr;
};

HitProbe* AddProbe(GameObject& object, int* hits) {
  auto* probe = Factory::Instance().AddComponent<HitProbe>(object);
  probe->hits = hits;
  // Initialised again, as the Factory does after a caller's callback: still one registration.
  probe->Initialize();
  return probe;
}

struct Removal {
  const char* Name;
  // The object is the test's own rather than the Factory's.
  bool OutsideFactory;
  // Deletes the probe's object (or the probe) the way one part of the game does.
  std::function<void(GameObject& object, std::unique_ptr<GameObject>& outside)> Remove;
};

TEST(ComponentTest, ARegisteredComponentIsNeverReachedOnceDeleted) {
  Factory& factory = Factory::Instance();
  EventSystem& events = EventSystem::Instance();
  factory.Initialize();
  const Removal removals[] = {
      {"object deleted outside the Factory", true, [](GameObject&, auto& outside) { outside.reset(); }},
      {"Factory queue", false,
       [&](GameObject& object, auto&) {
         factory.QueueDestroy(object.Id);
         factory.Update(0.0f, false);
       }},
      {"DestroyAll", false, [&](GameObject&, auto&) { factory.DestroyAll(); }},
      {"replaced by Attach", false, [](GameObject& object, auto&) { object.Attach(std::make_unique<HitProbe>()); }},
  };
  for (const Removal& removal : removals) {
    SCOPED_TRACE(removal.Name);
    int hits = 0;
    std::unique_ptr<GameObject> outside = std::make_unique<GameObject>();
    GameObject* object = removal.OutsideFactory ? outside.get() : factory.CreateObject();
    AddProbe(*object, &hits);
    events.Post(std::make_unique<CollisionObjectEvent>(object, nullptr));
    events.Update(0.0f, false);
    ASSERT_EQ(hits, 1);

    removal.Remove(*object, outside);
    // Addressed by the pointer the world had: a dangling registry entry would be called here.
    events.Post(std::make_unique<CollisionObjectEvent>(object, nullptr));
    events.Update(0.0f, false);
    EXPECT_EQ(hits, 1);
    EXPECT_FALSE(events.HasObjectEntry(object));
    factory.DestroyAll();
  }
}

}  // namespace
}  // namespace Framework
