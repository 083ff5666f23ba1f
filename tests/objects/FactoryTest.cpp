// Object lifetime through the Factory (ids never reused: SerializationTest's
// rebuilt world): deferred and whole-world destruction, the commands carried by FactoryEvents, and a level teardown
// that happens while the event system is delivering.
#include "objects/Factory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "objects/Script.h"
#include "objects/Transform.h"

namespace Framework {
namespace {

class FactoryTest : public ::testing::Test {
 protected:
  void SetUp() override { factory.Initialize(); }
  void Run(int command, GameObject* target = nullptr, std::function<void(GameObject*)> callback = {}) {
    FactoryEvent event;
    event.Command = command;
    event.Object = target;
    event.Callback = std::move(callback);
    events.Send(event);
  }
  Factory& factory = Factory::Instance();
  EventSystem& events = EventSystem::Instance();
};

TEST_F(FactoryTest, QueuedDestructionWaitsForTheFactoryUpdateAndToleratesRepeatsAndMissingIds) {
  GameObject* keep = factory.CreateObject();
  GameObject* object = factory.CreateObject();
  const auto id = object->Id;
  FactoryEvent destroy;
  destroy.Command = FactoryCommand::QueueDestroy;
  destroy.ObjectId = id;
  events.Post(std::make_unique<FactoryEvent>(destroy));
  events.Update(0.0f, false);
  EXPECT_EQ(factory.Find(id), object) << "still alive for the rest of the frame";
  factory.QueueDestroy(id);
  factory.QueueDestroy(999);
  factory.Update(0.0f, false);
  EXPECT_EQ(factory.Find(id), nullptr);
  EXPECT_TRUE(factory.DestroyQueue.empty());
  EXPECT_EQ(factory.Objects.size(), 1u);
  EXPECT_EQ(factory.Find(keep->Id), keep);

  // Queued destruction leaves the player pointer (callers reload the level before
  // reading it again); destroying everything clears it.
  factory.Player = keep;
  factory.QueueDestroy(keep->Id);
  factory.Update(0.0f, false);
  EXPECT_EQ(factory.Player, keep);
  factory.DestroyAll();
  EXPECT_EQ(factory.Player, nullptr);
}

TEST_F(FactoryTest, UnknownCommandsAndComponentCommandsWithoutATargetDoNothing) {
  GameObject* target = factory.CreateObject();
  int callbacks = 0;
  for (int command : {static_cast<int>(FactoryCommand::None), -1, FactoryCommand::AddFireflyScript + 1, 1000}) {
    Run(command, target, [&](GameObject*) { ++callbacks; });
  }
  for (int command : {FactoryCommand::AddTransform, FactoryCommand::AddBody}) {
    Run(command, nullptr, [&](GameObject*) { ++callbacks; });
  }
  EXPECT_EQ(callbacks, 0);
  EXPECT_EQ(factory.Objects.size(), 1u);
  EXPECT_TRUE(target->Components.empty());
}

TEST_F(FactoryTest, ObjectThenTransformBuildsAnObjectPieceByPiece) {
  FactoryEvent event;
  event.Command = FactoryCommand::CreateObject;
  GameObject* created = nullptr;
  event.Callback = [&](GameObject* o) { created = o; };
  events.Send(event);
  ASSERT_NE(event.Object, nullptr);
  EXPECT_EQ(created, event.Object);

  event.Command = FactoryCommand::AddTransform;
  Vec2 scaleSeenByCallback{-1, -1};
  event.Callback = [&](GameObject* o) {
    auto* t = o->GetComponent<Transform>();
    scaleSeenByCallback = t->Scale;
    t->Position = {3.0f, 4.0f};
  };
  events.Send(event);
  auto* transform = event.Object->GetComponent<Transform>();
  ASSERT_NE(transform, nullptr);
  EXPECT_EQ(scaleSeenByCallback, (Vec2{0.0f, 0.0f})) << "the command zeroes position and size first";
  EXPECT_EQ(transform->Position, (Vec2{3.0f, 4.0f}));
}

class CollisionProbe : public Component {
 public:
  CollisionProbe() : Component("CollisionProbe") {}
  void OnObjectEvent(Event* event) override {
    ++hits;
    lastOther = static_cast<CollisionObjectEvent*>(event)->Other;
  }
  int hits = 0;
  GameObject* lastOther = reinterpret_cast<GameObject*>(1);
};

TEST_F(FactoryTest, CollisionsFoundBeforeAnObjectDiedNeverReachItOrNameIt) {
  GameObject* hazard = factory.CreateObject();
  GameObject* player = factory.CreateObject();
  auto* hazardProbe = factory.AddComponent<CollisionProbe>(*hazard);
  auto* playerProbe = factory.AddComponent<CollisionProbe>(*player);
  events.SubscribeObject<CollisionProbe>(hazard);
  events.SubscribeObject<CollisionProbe>(player);
  // Physics found the contact this frame; the hazard was queued for destruction earlier.
  events.Post(std::make_unique<CollisionObjectEvent>(hazard, player));
  events.Post(std::make_unique<CollisionObjectEvent>(player, hazard));
  factory.QueueDestroy(hazard->Id);
  factory.Update(0.0f, false);
  events.Update(0.0f, false);
  EXPECT_EQ(playerProbe->hits, 1);
  EXPECT_EQ(playerProbe->lastOther, nullptr) << "the dead hazard is not handed out";
  (void)hazardProbe;  // deleted with the hazard; the sanitizer build catches any call into it
}

// A script that listens to the keyboard, like the player or a menu does.
class KeyScript : public Script {
 public:
  KeyScript() : Script("KeyScript") {}
  void Initialize() override {
    struct KeyListener : Listener {
      KeyScript* owner;
      void OnEvent(Event*) override {
        owner->heard->push_back(owner->Owner->Name);
        // The hook may destroy this script (and so this listener's owner): run a copy, touch nothing after.
        if (auto hook = owner->onKey) hook();
      }
    };
    auto listener = std::make_unique<KeyListener>();
    listener->owner = this;
    keys_ = Subscription(EventType::Keyboard, std::move(listener));
  }
  void Update(float) override {}
  std::vector<std::string>* heard = nullptr;
  std::function<void()> onKey;

 private:
  Subscription keys_;
};

TEST_F(FactoryTest, LevelReloadFromAKeyboardHandlerIsSafe) {
  std::vector<std::string> heard;
  auto makeObject = [&](const std::string& name) {
    GameObject* o = factory.CreateObject();
    o->Name = name;
    auto* s = factory.AddComponent<KeyScript>(*o);
    s->heard = &heard;
    return s;
  };
  // "menu" reloads the world when it hears the key: every object dies, including
  // "player", whose listener comes later in the same list, and a new world is built.
  auto* menu = makeObject("menu");
  makeObject("player");
  menu->onKey = [&] {
    factory.DestroyAll();
    makeObject("new player");
  };
  KeyboardEvent key;
  events.Post(std::make_unique<KeyboardEvent>(key));
  events.Update(0.0f, false);
  EXPECT_EQ(heard, (std::vector<std::string>{"menu", "new player"}));
  EXPECT_EQ(events.ListenerCount(EventType::Keyboard), 1u);
  EXPECT_EQ(factory.Objects.size(), 1u);
}

}  // namespace
}  // namespace Framework
