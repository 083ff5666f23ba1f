// The physics step: integration, the swept box test, contacts, resolution,
// grounded marks and collision events, on small scenes with exact numbers.
#include "physics/Physics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "objects/Factory.h"
#include "physics/Body.h"
#include "support/Capture.h"
#include "support/PhysicsScene.h"

namespace Framework {
namespace {

using PhysicsScene::AddBox;
using PhysicsScene::AddStaticBox;
using PhysicsScene::MakeFrictionless;

constexpr float kDt = 0.025f;

// Remembers every object event addressed to its owner.
class CollisionRecorder : public Component {
 public:
  CollisionRecorder() : Component("CollisionRecorder") {}
  void OnObjectEvent(Event* event) override {
    auto* collision = static_cast<CollisionObjectEvent*>(event);
    addressees.push_back(collision->Object);
    others.push_back(collision->Other);
  }
  std::vector<GameObject*> addressees;
  std::vector<GameObject*> others;
};

CollisionRecorder* Record(Body& body) {
  auto* recorder = Factory::Instance().AddComponent<CollisionRecorder>(*body.Owner);
  EventSystem::Instance().SubscribeObject<CollisionRecorder>(body.Owner);
  return recorder;
}

class PhysicsStep : public ::testing::Test {
 protected:
  void SetUp() override {
    Factory::Instance().Initialize();
    physics.Gravity = -1.0f;
  }
  // The scenes share the process-wide Factory and Physics when the tests run in
  // one process: a box left behind would collide with the next test's boxes.
  void TearDown() override { Factory::Instance().DestroyAll(); }
  std::vector<Contact> ContactsOfLastStep() const { return {physics.ContactsBegin(), physics.ContactsEnd()}; }
  // A box that moves with exactly the velocity it is given.
  Body* AddInertBox(Vec2 position, Vec2 size, Vec2 velocity) {
    physics.Gravity = 0.0f;
    Body* body = AddBox(position, size);
    MakeFrictionless(*body);
    body->Velocity = velocity;
    return body;
  }
  Physics& physics = Physics::Instance();
};

// --- Integration ----------------------------------------------------------

TEST_F(PhysicsStep, IntegratesGravityForceAndFrictionPerAxisOnTheGroundAndInTheAir) {
  // Friction factors are per 60th of a second; see the end for other steps.
  constexpr float kFrame = Engine::FrameTime;
  physics.Gravity = -2.0f;
  Body* body = AddBox({0.0f, 0.0f}, {1.0f, 1.0f});
  body->Velocity = {10.0f, 4.0f};
  body->Force = {40.0f, 8.0f};
  physics.Update(kFrame, false);
  // In the air: x uses Friction X (0.99), y uses Friction Y (0.99).
  const float vx = (40.0f * kFrame + 10.0f) * 0.99f;
  const float vy = ((8.0f - 2.0f) * kFrame + 4.0f) * 0.99f;
  EXPECT_FLOAT_EQ(body->Velocity.x, vx);
  EXPECT_FLOAT_EQ(body->Velocity.y, vy);
  EXPECT_FLOAT_EQ(body->Acceleration.x, 40.0f);
  EXPECT_FLOAT_EQ(body->Acceleration.y, 6.0f);
  EXPECT_FLOAT_EQ(body->Position.x, vx * kFrame);
  EXPECT_FLOAT_EQ(body->Position.y, vy * kFrame);
  EXPECT_EQ(body->PrevPosition, (Vec2{0.0f, 0.0f}));
  EXPECT_EQ(body->Force, (Vec2{0.0f, 0.0f})) << "the frame's force is used up";
  // The new position reaches the object's Transform.
  EXPECT_EQ(body->OwnerTransform->Position, body->Position);

  // Grounded bodies use ground friction and are ungrounded by integration.
  physics.Gravity = 0.0f;
  Body* grounded = AddBox({0.0f, 50.0f}, {1.0f, 1.0f});
  grounded->Grounded = true;
  grounded->Velocity = {10.0f, 10.0f};
  physics.Update(kFrame, false);
  EXPECT_FLOAT_EQ(grounded->Velocity.x, 9.0f);   // XG 0.9
  EXPECT_FLOAT_EQ(grounded->Velocity.y, 9.9f);   // Y 0.99
  EXPECT_FALSE(grounded->Grounded) << "nothing under it any more";
  physics.Update(kFrame, false);
  EXPECT_FLOAT_EQ(grounded->Velocity.x, 9.0f * 0.99f) << "in the air again: Friction X";

  // A step a frame and a half long keeps the factor one and a half times over,
  // and a single frame's Impulse changes the speed by as much as at 60 fps.
  grounded->Grounded = true;
  grounded->Velocity = {10.0f, 0.0f};
  grounded->Impulse = {0.0f, 60.0f};
  physics.Update(1.5f * kFrame, false);
  EXPECT_NEAR(grounded->Velocity.x, 10.0f * std::pow(0.9f, 1.5f), 1e-4f);
  EXPECT_NEAR(grounded->Velocity.y, 1.0f * std::pow(0.99f, 1.5f), 1e-4f);
  EXPECT_EQ(grounded->Impulse, (Vec2{0.0f, 0.0f})) << "used up with the Force";
}

TEST_F(PhysicsStep, CapsOnlyThePositiveVelocities) {
  Body* right = AddInertBox({0.0f, 0.0f}, {1.0f, 1.0f}, {150.0f, 150.0f});
  Body* left = AddInertBox({100.0f, 100.0f}, {1.0f, 1.0f}, {-150.0f, -150.0f});
  physics.Update(kDt, false);
  EXPECT_FLOAT_EQ(right->Velocity.x, 100.0f);
  EXPECT_FLOAT_EQ(right->Velocity.y, 100.0f);
  EXPECT_FLOAT_EQ(right->Position.x, 100.0f * kDt) << "the capped speed is the one that moves it";
  EXPECT_FLOAT_EQ(left->Velocity.x, -150.0f);
  EXPECT_FLOAT_EQ(left->Velocity.y, -150.0f);
  EXPECT_FLOAT_EQ(left->Position.x, 100.0f - 150.0f * kDt);
}

TEST_F(PhysicsStep, StaticBodiesFollowTheirTransformAndKeepTheirState) {
  Body* platform = AddStaticBox({0.0f, 0.0f}, {4.0f, 1.0f});
  platform->Velocity = {3.0f, 3.0f};
  platform->Force = {7.0f, 7.0f};
  platform->Grounded = true;
  platform->OwnerTransform->Position = {2.0f, 5.0f};  // a script moves the platform
  physics.Update(kDt, false);
  EXPECT_EQ(platform->Position, (Vec2{2.0f, 5.0f}));
  EXPECT_EQ(platform->PrevPosition, (Vec2{0.0f, 0.0f}));
  EXPECT_EQ(platform->Velocity, (Vec2{3.0f, 3.0f}));
  EXPECT_EQ(platform->Force, (Vec2{7.0f, 7.0f})) << "kept for when the body turns dynamic";
  EXPECT_TRUE(platform->Grounded);
  // Its force acts once the body is made dynamic again.
  platform->IsStatic = false;
  physics.Gravity = 0.0f;
  MakeFrictionless(*platform);
  platform->Velocity = {0.0f, 0.0f};
  physics.Update(kDt, false);
  EXPECT_FLOAT_EQ(platform->Velocity.x, 7.0f * kDt);
}

TEST_F(PhysicsStep, PausedStepChangesNothingAndPostsNothing) {
  AddStaticBox({0.0f, 0.0f}, {10.0f, 1.0f});
  Body* box = AddBox({0.0f, 0.9f}, {1.0f, 1.0f});  // sunk into the platform
  box->Velocity = {2.0f, -3.0f};
  box->Force = {1.0f, 1.0f};
  box->Grounded = true;
  const std::size_t queued = EventSystem::Instance().QueuedCount();
  for (int i = 0; i < 5; ++i) physics.Update(kDt, true);
  EXPECT_EQ(box->Position, (Vec2{0.0f, 0.9f}));
  EXPECT_EQ(box->OwnerTransform->Position, (Vec2{0.0f, 0.9f}));
  EXPECT_EQ(box->Velocity, (Vec2{2.0f, -3.0f}));
  EXPECT_EQ(box->Force, (Vec2{1.0f, 1.0f}));
  EXPECT_TRUE(box->Grounded);
  EXPECT_EQ(EventSystem::Instance().QueuedCount(), queued);
}

// --- Static against dynamic -------------------------------------------------

// One inert box against one static box, a single step: where it ends, how it rebounds
// (Bounce X for vertical contacts, Y for walls) and whether it stands on the other.
TEST_F(PhysicsStep, OneStepAgainstAStaticBox) {
  struct Case {
    const char* what;
    Vec2 wallAt, wallSize, boxAt, boxSize, velocity;
    BounceFactors bounce;
    std::size_t contacts;
    std::uint8_t axis;
    Vec2 endsAt, endsMoving;
    bool grounded;
  } cases[] = {
      {"fast landing", {0, 0}, {10, 1}, {0, 1.2f}, {1, 1}, {0, -20}, {0.5f, 0.1f}, 1, Contact::Vertical, {0, 1}, {0, 10}, true},
      {"ceiling", {0, 0}, {10, 1}, {0, -1.2f}, {1, 1}, {0, 20}, {}, 1, Contact::Vertical, {0, -1}, {0, -10}, false},
      {"wall", {0, 0}, {1, 10}, {-1.15f, 0}, {1, 1}, {8, 0}, {0.1f, 0.5f}, 1, Contact::Horizontal, {-1, 0}, {-4, 0}, false},
      // Equal overlaps make a vertical contact; only that axis is corrected.
      {"equal overlaps", {0, 0}, {1, 1}, {0.9f, 0.9f}, {1, 1}, {0, 0}, {}, 1, Contact::Vertical, {0.9f, 1}, {0, 0}, true},
      // Overlapping a thin wall only at the half-way sample still collides, and the box
      // is placed on the side where its step ended.
      {"half-way overlap", {0, 0}, {0.2f, 10}, {-1, 0}, {0.2f, 0.2f}, {80, 0}, {}, 1, Contact::Horizontal, {0.2f, 0}, {-40, 0}, false},
      // Samples at 0.95 and 2.2, both clear of the wall: passed through unseen.
      {"wholly through", {0, 0}, {0.2f, 10}, {-0.3f, 0}, {0.2f, 0.2f}, {100, 0}, {}, 0, 0, {2.2f, 0}, {100, 0}, false},
      // Edges that only touch do not collide.
      {"beside", {0, 0}, {1, 1}, {1, 0}, {1, 1}, {0, 0}, {}, 0, 0, {1, 0}, {0, 0}, false},
      {"above", {0, 0}, {1, 1}, {0, 1}, {1, 1}, {0, 0}, {}, 0, 0, {0, 1}, {0, 0}, false},
      {"corner", {0, 0}, {1, 1}, {-1, -1}, {1, 1}, {0, 0}, {}, 0, 0, {-1, -1}, {0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Factory::Instance().DestroyAll();
    EventSystem::Instance().Update(kDt, false);
    AddStaticBox(c.wallAt, c.wallSize);
    Body* box = AddInertBox(c.boxAt, c.boxSize, c.velocity);
    box->Bounce = c.bounce;
    physics.Update(kDt, false);
    ASSERT_EQ(physics.ContactCount, c.contacts);
    EXPECT_EQ(EventSystem::Instance().QueuedCount(), 2 * c.contacts);
    if (c.contacts) {
      EXPECT_EQ(ContactsOfLastStep()[0].Axis, c.axis);
    }
    EXPECT_FLOAT_EQ(box->Position.x, c.endsAt.x);
    EXPECT_FLOAT_EQ(box->Position.y, c.endsAt.y);
    EXPECT_FLOAT_EQ(box->Velocity.x, c.endsMoving.x);
    EXPECT_FLOAT_EQ(box->Velocity.y, c.endsMoving.y);
    EXPECT_EQ(box->Grounded, c.grounded);
  }
}

TEST_F(PhysicsStep, GhostsReportAndGroundButNeverPushOrStop) {
  Body* ghost = AddStaticBox({0.0f, 0.0f}, {10.0f, 1.0f});
  ghost->IsGhost = true;
  Body* box = AddInertBox({0.0f, 0.9f}, {1.0f, 1.0f}, {0.0f, -3.0f});
  CollisionRecorder* seenByGhost = Record(*ghost);
  CollisionRecorder* seenByBox = Record(*box);
  physics.Update(kDt, false);
  EXPECT_EQ(physics.ContactCount, 1u);
  EXPECT_TRUE(box->Grounded);
  EXPECT_FLOAT_EQ(box->Velocity.y, -3.0f);
  EXPECT_FLOAT_EQ(box->Position.y, 0.9f - 3.0f * kDt);
  EventSystem::Instance().Update(kDt, false);
  EXPECT_EQ(seenByGhost->others.size(), 1u);
  EXPECT_EQ(seenByBox->others.size(), 1u);

  // A dynamic ghost falls through a solid platform just the same.
  Body* platform = AddStaticBox({0.0f, -20.0f}, {10.0f, 1.0f});
  Body* falling = AddInertBox({0.0f, -19.2f}, {1.0f, 1.0f}, {0.0f, -10.0f});
  falling->IsGhost = true;
  physics.Update(kDt, false);
  EXPECT_FLOAT_EQ(falling->Position.y, -19.2f - 10.0f * kDt);
  EXPECT_FLOAT_EQ(falling->Velocity.y, -10.0f);
  EXPECT_TRUE(falling->Grounded);
  EXPECT_EQ(platform->Position, (Vec2{0.0f, -20.0f}));
}

TEST_F(PhysicsStep, NonCollidableBodiesAndStaticPairsTakePartInNoTest) {
  Body* platform = AddStaticBox({0.0f, 0.0f}, {10.0f, 1.0f});
  Body* box = AddInertBox({0.0f, 0.9f}, {1.0f, 1.0f}, {0.0f, -3.0f});
  box->IsCollidable = false;
  CollisionRecorder* recorder = Record(*box);
  physics.Update(kDt, false);
  EXPECT_EQ(physics.ContactCount, 0u);
  EXPECT_EQ(EventSystem::Instance().QueuedCount(), 0u);
  EXPECT_FALSE(box->Grounded);
  EXPECT_FLOAT_EQ(box->Position.y, 0.9f - 3.0f * kDt);
  // The same holds when the platform is the one switched off.
  box->IsCollidable = true;
  platform->IsCollidable = false;
  physics.Update(kDt, false);
  EXPECT_EQ(physics.ContactCount, 0u);
  EventSystem::Instance().Update(kDt, false);
  EXPECT_TRUE(recorder->others.empty());
  // Nor are two overlapping static bodies ever tested.
  AddStaticBox({100.0f, 100.0f}, {4.0f, 4.0f});
  AddStaticBox({101.0f, 101.0f}, {4.0f, 4.0f});
  physics.Update(kDt, false);
  EXPECT_EQ(physics.ContactCount, 0u);
}

// --- Dynamic against dynamic ------------------------------------------------

// Two inert boxes meeting in one step: fast pairs rebound (head on, or landing one
// on the other) or share their speed; a pushed box takes the pusher's direction;
// slow or gentle meetings keep or stop the speeds.
TEST_F(PhysicsStep, DynamicPairsMeetingInOneStep) {
  struct Case {
    const char* what;
    Vec2 aAt, aVelocity, bAt, bVelocity;
    std::uint8_t axis;
    Vec2 aAfter, bAfter;
  } cases[] = {
      {"head on", {-0.45f, 0}, {3, 0}, {0.45f, 0}, {-2, 0}, Contact::Horizontal, {-2.5f, 0}, {2.5f, 0}},
      {"same way", {-0.45f, 0}, {4, 0}, {0.45f, 0}, {2, 0}, Contact::Horizontal, {3, 0}, {3, 0}},
      {"pushed", {0.45f, 0}, {-4, 0}, {-0.45f, 0}, {0.5f, 0}, Contact::Horizontal, {-4, 0}, {-0.5f * 4.5f, 0}},
      {"slow", {-0.45f, 0}, {1, 0}, {0.45f, 0}, {-0.5f, 0}, Contact::Horizontal, {1, 0}, {-0.5f, 0}},
      {"landing on", {0, 0}, {0, 0}, {0, 0.95f}, {0, -10}, Contact::Vertical, {0, -5}, {0, 5}},
      {"gentle landing", {0, 0}, {0, 1}, {0, 0.95f}, {0, -3}, Contact::Vertical, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Factory::Instance().DestroyAll();
    Body* a = AddInertBox(c.aAt, {1, 1}, c.aVelocity);
    Body* b = AddInertBox(c.bAt, {1, 1}, c.bVelocity);
    physics.Update(kDt, false);
    ASSERT_EQ(physics.ContactCount, 1u);
    EXPECT_EQ(ContactsOfLastStep()[0].Axis, c.axis);
    EXPECT_FLOAT_EQ(a->Velocity.x, c.aAfter.x);
    EXPECT_FLOAT_EQ(a->Velocity.y, c.aAfter.y);
    EXPECT_FLOAT_EQ(b->Velocity.x, c.bAfter.x);
    EXPECT_FLOAT_EQ(b->Velocity.y, c.bAfter.y);
    if (c.what == std::string("head on")) {
      // The faster one is moved to touch the slower one, which stays where it got to.
      EXPECT_FLOAT_EQ(b->Position.x, 0.45f - 2.0f * kDt);
      EXPECT_FLOAT_EQ(a->Position.x, b->Position.x - 1.0f);
    }
    if (c.what == std::string("landing on")) {
      EXPECT_TRUE(b->Grounded);
      EXPECT_FALSE(a->Grounded);
      EXPECT_FLOAT_EQ(b->Position.y, 1.0f) << "stacked on the lower box";
      EXPECT_FLOAT_EQ(a->Position.y, 0.0f);
    }
  }
}

// --- Contacts and events ----------------------------------------------------

TEST_F(PhysicsStep, ContactsBeyondTheInitialStoreAreAllResolved) {
  // 1100 boxes, each sunk into its own platform far from the others.
  constexpr int kPairs = 1100;
  std::vector<Body*> boxes;
  for (int i = 0; i < kPairs; ++i) {
    const float x = static_cast<float>(i) * 10.0f;
    AddStaticBox({x, 0.0f}, {4.0f, 1.0f});
    boxes.push_back(AddBox({x, 0.95f}, {1.0f, 1.0f}));
  }
  physics.Update(kDt, false);
  EXPECT_EQ(physics.ContactCount, static_cast<std::size_t>(kPairs));
  for (int i = 0; i < kPairs; ++i) {
    ASSERT_FLOAT_EQ(boxes[i]->Position.y, 1.0f) << "box " << i << " fell into its platform";
    ASSERT_TRUE(boxes[i]->Grounded) << "box " << i;
  }
  EXPECT_EQ(EventSystem::Instance().QueuedCount(), 2u * kPairs);
  // The grown store is kept: the next steps find room without reallocating.
  const Contact* storage = physics.Contacts.data();
  for (int i = 0; i < 3; ++i) physics.Update(kDt, false);
  EXPECT_EQ(physics.ContactCount, static_cast<std::size_t>(kPairs));
  EXPECT_EQ(physics.Contacts.data(), storage);

  // A pile where every pair touches (a hostile level) stops at the limit, said once.
  for (int i = 0; i < 200; ++i) AddBox({-50.0f, 0.0f}, {3.0f, 3.0f});
  std::string said;
  for (int step = 0; step < 3; ++step) said += StdoutOf([&] { physics.Update(kDt, false); });
  EXPECT_EQ(physics.ContactCount, Physics::MaxContacts);
  EXPECT_EQ(said, "Physics: more than 8192 bodies touch at once (2400 bodies); the rest are not collided until the crowd thins\n");
}

TEST_F(PhysicsStep, CollisionEventsReachBothObjectsAtTheNextDelivery) {
  Body* platform = AddStaticBox({0.0f, 0.0f}, {10.0f, 1.0f});
  Body* box = AddBox({0.0f, 0.95f}, {1.0f, 1.0f});
  CollisionRecorder* onPlatform = Record(*platform);
  CollisionRecorder* onBox = Record(*box);
  physics.Update(kDt, false);
  EXPECT_TRUE(onPlatform->others.empty()) << "posted, not sent";
  EXPECT_TRUE(onBox->others.empty());
  EventSystem::Instance().Update(kDt, false);
  ASSERT_EQ(onPlatform->others.size(), 1u);
  ASSERT_EQ(onBox->others.size(), 1u);
  EXPECT_EQ(onPlatform->addressees[0], platform->Owner);
  EXPECT_EQ(onPlatform->others[0], box->Owner);
  EXPECT_EQ(onBox->addressees[0], box->Owner);
  EXPECT_EQ(onBox->others[0], platform->Owner);
}

TEST_F(PhysicsStep, BodiesDestroyedBetweenStepsLeaveTheSimulation) {
  AddStaticBox({0.0f, 0.0f}, {10.0f, 1.0f});
  Body* doomed = AddBox({0.0f, 0.95f}, {1.0f, 1.0f});
  Body* survivor = AddBox({20.0f, 5.0f}, {1.0f, 1.0f});
  physics.Update(kDt, false);
  EXPECT_EQ(physics.Bodies.size(), 3u);
  Factory::Instance().QueueDestroy(doomed->Owner->Id);
  Factory::Instance().Update(kDt, false);
  physics.Update(kDt, false);
  EXPECT_EQ(physics.Bodies.size(), 2u);
  EXPECT_EQ(physics.ContactCount, 0u);
  EXPECT_LT(survivor->Position.y, 5.0f);
  Factory::Instance().DestroyAll();
  physics.Update(kDt, false);
  EXPECT_TRUE(physics.Bodies.empty());
}

// What a run of steps did, step by step: the contacts (by object id and axis) in
// order, then every body's place, speed and ground mark.
std::vector<float> PlayRandomScene(bool broadPhase) {
  Factory::Instance().DestroyAll();
  const std::uint32_t firstId = Factory::Instance().NextId;
  std::mt19937 random(5);
  std::uniform_real_distribution<float> x(-40.0f, 40.0f), size(0.2f, 6.0f), speed(-30.0f, 30.0f);
  for (int i = 0; i < 400; ++i) {
    Body* body = AddBox({x(random), x(random) * 0.5f}, {size(random), size(random)}, i % 3 == 0);
    body->Velocity = {speed(random), speed(random)};
    body->IsGhost = i % 17 == 0;
    body->IsCollidable = i % 23 != 0;
  }
  // Bodies run off to infinity or nowhere have no box to sort, and still meet
  // others: a box lands on a board of endless width, far above the rest.
  AddBox({std::numeric_limits<float>::infinity(), 0.0f}, {1.0f, 1.0f});
  AddBox({std::nanf(""), 0.0f}, {1.0f, 1.0f});
  AddBox({0.0f, 1000.0f}, {std::numeric_limits<float>::infinity(), 1.0f}, true);
  AddBox({3.0f, 1001.5f}, {1.0f, 1.0f});
  Physics& physics = Physics::Instance();
  physics.BroadPhase = broadPhase;
  std::vector<float> trace;
  for (int step = 0; step < 90; ++step) {
    physics.Update(kDt, false);
    EventSystem::Instance().Update(kDt, false);
    for (const Contact* c = physics.ContactsBegin(); c != physics.ContactsEnd(); ++c) {
      trace.insert(trace.end(), {float(c->A->Owner->Id - firstId), float(c->B->Owner->Id - firstId), float(c->Axis)});
    }
    for (const Body* b : physics.Bodies) {
      trace.insert(trace.end(), {b->Position.x, b->Position.y, b->Velocity.x, b->Velocity.y, float(b->Grounded)});
    }
  }
  physics.BroadPhase = true;
  return trace;
}

TEST_F(PhysicsStep, TheBroadPhaseFindsTheContactsOfTheTestOfEveryPairInItsOrder) {
  const std::vector<float> everyPair = PlayRandomScene(false);
  const std::vector<float> broadPhase = PlayRandomScene(true);
  ASSERT_EQ(broadPhase.size(), everyPair.size());
  // Compared as bytes: NaN places must match too.
  EXPECT_EQ(std::memcmp(broadPhase.data(), everyPair.data(), everyPair.size() * sizeof(float)), 0);
}

}  // namespace
}  // namespace Framework
