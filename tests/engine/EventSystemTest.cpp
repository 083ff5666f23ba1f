// Event delivery: order, ownership, the object registry, and safety while
// handlers change the lists being walked.
#include "engine/EventSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Events.h"
#include "objects/Component.h"
#include "objects/GameObject.h"

namespace Framework {
namespace {

// Records every delivery into a shared log and runs an optional hook.
class RecordingListener : public Listener {
 public:
  RecordingListener(std::string name, std::vector<std::string>* log, int* destroyed = nullptr)
      : name_(std::move(name)), log_(log), destroyed_(destroyed) {}
  ~RecordingListener() override {
    if (destroyed_) ++*destroyed_;
  }
  void OnEvent(Event*) override {
    log_->push_back(name_);
    if (hook) hook();
  }
  std::function<void()> hook;

 private:
  std::string name_;
  std::vector<std::string>* log_;
  int* destroyed_;
};

class CountedEvent : public Event {
 public:
  CountedEvent(EventType type, int* destroyed) : Event(type), destroyed_(destroyed) {}
  ~CountedEvent() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

class EventSystemTest : public ::testing::Test {
 protected:
  RecordingListener* Add(EventType type, const std::string& name) {
    auto listener = std::make_unique<RecordingListener>(name, &log, &destroyed);
    auto* raw = listener.get();
    events.Subscribe(type, std::move(listener));
    return raw;
  }
  void SetUp() override {
    log.clear();
    destroyed = 0;
  }
  EventSystem& events = EventSystem::Instance();
  // Static: listeners still subscribed at exit die with the EventSystem and may still count.
  static inline std::vector<std::string> log;
  static inline int destroyed = 0;
};

TEST_F(EventSystemTest, PostedEventsWaitForUpdateAndOnesPostedDuringDeliveryComeAfterTheQueue) {
  Add(EventType::Serialization, "a");
  int deleted = 0;
  events.Post(std::make_unique<CountedEvent>(EventType::Serialization, &deleted));
  events.Post(std::make_unique<CountedEvent>(EventType::Serialization, &deleted));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(events.QueuedCount(), 2u);
  events.Update(0.0f, false);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(deleted, 2) << "posted events are deleted after delivery";
  EXPECT_EQ(events.QueuedCount(), 0u);
  CountedEvent sent(EventType::Serialization, &deleted);
  events.Send(sent);
  events.Send(sent);
  EXPECT_EQ(log.size(), 4u);
  EXPECT_EQ(deleted, 2);
  EXPECT_EQ(events.QueuedCount(), 0u);

  // An event posted during delivery arrives in the same update, after the queue.
  std::vector<int> order;
  struct Tagged : Event {
    explicit Tagged(int t) : Event(EventType::Graphics), tag(t) {}
    int tag;
  };
  struct Tagger : Listener {
    std::vector<int>* order;
    void OnEvent(Event* e) override {
      int tag = static_cast<Tagged*>(e)->tag;
      order->push_back(tag);
      if (tag == 1) EventSystem::Instance().Post(std::make_unique<Tagged>(3));
    }
  };
  auto tagger = std::make_unique<Tagger>();
  tagger->order = &order;
  events.Subscribe(EventType::Graphics, std::move(tagger));
  events.Post(std::make_unique<Tagged>(1));
  events.Post(std::make_unique<Tagged>(2));
  events.Update(0.0f, false);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(events.QueuedCount(), 0u);
}

TEST_F(EventSystemTest, ListenersHearTheirTypeInOrderAndOwnedOnesLiveUntilTheirLastList) {
  Add(EventType::Keyboard, "first");
  Add(EventType::Keyboard, "second");
  Add(EventType::Mouse, "mouse");
  KeyboardEvent key;
  events.Send(key);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
  for (EventType reserved : {EventType::Reserved0, EventType::Reserved1}) {
    Event event(reserved);
    events.Send(event);
  }
  EXPECT_EQ(log.size(), 2u);

  // An owned listener is freed once it is in no list any more; an unowned one is
  // never freed by the system; a Subscription unsubscribes when it goes.
  log.clear();
  auto* twice = Add(EventType::Audio, "twice");
  events.Subscribe(EventType::Audio, twice);  // the same list twice: heard twice
  events.Subscribe(EventType::Graphics, twice);
  AudioEvent sound;
  events.Send(sound);
  EXPECT_EQ(log.size(), 2u);
  events.Unsubscribe(EventType::Audio, twice);  // both entries go
  events.Send(sound);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(destroyed, 0) << "still subscribed to graphics";
  events.Unsubscribe(EventType::Graphics, twice);
  EXPECT_EQ(destroyed, 1);

  int gone = 0;
  RecordingListener local("local", &log, &gone);
  events.Subscribe(EventType::Death, &local);
  events.Unsubscribe(EventType::Death, &local);
  EXPECT_EQ(gone, 0);
  {
    Subscription sub(EventType::Boom, std::make_unique<RecordingListener>("boom", &log, &destroyed));
    EXPECT_EQ(events.ListenerCount(EventType::Boom), 1u);
  }
  EXPECT_EQ(events.ListenerCount(EventType::Boom), 0u);
  EXPECT_EQ(destroyed, 2);
}

// --- Safety while handlers change the lists -------------------------------

// A handler that removes an earlier listener, itself (still running) and a later one:
// the later one is skipped, none other, and the rest keep their order.
TEST_F(EventSystemTest, HandlerRemovingEarlierLaterAndItselfSkipsOnlyTheLaterOneAndALateSubscriberIsReached) {
  auto* first = Add(EventType::Keyboard, "first");
  auto* second = Add(EventType::Keyboard, "second");
  auto* third = Add(EventType::Keyboard, "third");
  Add(EventType::Keyboard, "fourth");
  second->hook = [&] {
    events.Unsubscribe(EventType::Keyboard, first);
    events.Unsubscribe(EventType::Keyboard, second);
    events.Unsubscribe(EventType::Keyboard, third);
  };
  KeyboardEvent key;
  events.Send(key);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "fourth"}));
  EXPECT_EQ(destroyed, 3) << "freed once the delivery has ended";
  log.clear();
  events.Send(key);
  EXPECT_EQ(log, (std::vector<std::string>{"fourth"}));

  // A listener subscribed during a pass is reached in that pass.
  auto* early = Add(EventType::Mouse, "first");
  early->hook = [&] {
    early->hook = nullptr;
    Add(EventType::Mouse, "late");
  };
  MouseEvent mouse;
  log.clear();
  events.Send(mouse);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "late"}));
}

TEST_F(EventSystemTest, NestedSendThatRemovesListenersIsSafe) {
  auto* outer = Add(EventType::Keyboard, "outer");
  auto* victim = Add(EventType::Keyboard, "victim");
  auto* inner = Add(EventType::Serialization, "inner");
  outer->hook = [&] {
    SerializationEvent nested;
    events.Send(nested);
  };
  inner->hook = [&] { events.Unsubscribe(EventType::Keyboard, victim); };
  KeyboardEvent key;
  events.Send(key);
  EXPECT_EQ(log, (std::vector<std::string>{"outer", "inner"}));
  EXPECT_EQ(destroyed, 1);
}

// --- Object events ------------------------------------------------------------

class HitCounter : public Component {
 public:
  HitCounter() : Component("HitCounter") {}
  void OnObjectEvent(Event* event) override {
    ++hits;
    if (onHit) onHit(event);
  }
  int hits = 0;
  std::function<void(Event*)> onHit;
};

class OtherCounter : public HitCounter {};

TEST_F(EventSystemTest, ObjectEventsReachOnlyTheAddresseesRegisteredComponentsUntilUnsubscribed) {
  GameObject a, b;
  auto* ca = a.Attach(std::make_unique<HitCounter>());
  auto* cb = b.Attach(std::make_unique<HitCounter>());
  events.SubscribeObject<HitCounter>(&a);
  events.SubscribeObject<HitCounter>(&b);
  events.Post(std::make_unique<CollisionObjectEvent>(&a, &b));
  events.Update(0.0f, false);
  EXPECT_EQ(ca->hits, 1);
  EXPECT_EQ(cb->hits, 0);
  events.UnsubscribeComponent(ca);
  EXPECT_FALSE(events.HasObjectEntry(&a));
  events.Post(std::make_unique<CollisionObjectEvent>(&a, nullptr));
  events.Update(0.0f, false);
  EXPECT_EQ(ca->hits, 1);
}

TEST_F(EventSystemTest, ComponentDestroyedByAnEarlierHandlerIsNotCalled) {
  auto object = std::make_unique<GameObject>();
  auto* first = object->Attach(std::make_unique<HitCounter>());
  auto* second = object->Attach(std::make_unique<OtherCounter>());
  events.SubscribeObject<HitCounter>(object.get());
  events.SubscribeObject<OtherCounter>(object.get());
  GameObject* raw = object.get();
  // The first handler tears the object down, as a level load would; every
  // component leaves the registry by dying, with no unsubscribe call of its own.
  first->onHit = [&](Event*) { object.reset(); };
  (void)second;
  events.Post(std::make_unique<CollisionObjectEvent>(raw, nullptr));
  events.Update(0.0f, false);  // the sanitizer build catches a call into freed memory
  EXPECT_FALSE(events.HasObjectEntry(raw));
}

}  // namespace
}  // namespace Framework
