// Body: what Initialize takes from the Transform, and bodies whose object is
// incomplete. (The Factory's body command builds every box of the physics tests.)
#include "physics/Body.h"

#include <gtest/gtest.h>

#include <string>

#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Physics.h"
#include "support/Capture.h"
#include "support/PhysicsScene.h"

namespace Framework {
namespace {

TEST(Body, InitializeTakesPositionAndHalfSizeFromTheTransformAndFollowsAReplacedOne) {
  Factory& factory = Factory::Instance();
  GameObject* object = factory.CreateObject();
  auto* transform = factory.AddComponent<Transform>(*object);
  transform->Position = {3.0f, -2.0f};
  transform->Scale = {4.0f, 1.5f};
  Body* body = factory.AddComponent<Body>(*object);
  EXPECT_EQ(body->OwnerTransform, transform);
  EXPECT_EQ(body->Position, (Vec2{3.0f, -2.0f}));
  EXPECT_FLOAT_EQ(body->Shape->HalfWidth, 2.0f);
  EXPECT_FLOAT_EQ(body->Shape->HalfHeight, 0.75f);
  EXPECT_EQ(body->Shape->Owner, body);
  // Initialising again picks up a Transform changed since.
  transform->Position = {-1.0f, 8.0f};
  transform->Scale = {2.0f, 2.0f};
  body->Initialize();
  EXPECT_EQ(body->Position, (Vec2{-1.0f, 8.0f}));
  EXPECT_FLOAT_EQ(body->Shape->HalfWidth, 1.0f);

  // A second Transform replaces (and deletes) the first; the body must not keep
  // writing through its old pointer.
  auto* replacement = factory.AddComponent<Transform>(*object);
  Physics::Instance().Update(0.025f, false);
  EXPECT_EQ(body->OwnerTransform, replacement);
  EXPECT_EQ(replacement->Position, body->Position);
  EXPECT_NE(replacement->Position, (Vec2{0.0f, 0.0f})) << "the body's place reaches the new Transform";
}

TEST(Body, AnObjectWithoutTransformIsReportedAndLeftOutOfPhysics) {
  Factory& factory = Factory::Instance();
  Physics& physics = Physics::Instance();
  GameObject* object = factory.CreateObject();
  object->Name = "Orphan";
  Body* body = nullptr;
  const std::string printed = StdoutOf([&] { body = factory.AddComponent<Body>(*object); });
  EXPECT_NE(printed.find("\"Orphan\""), std::string::npos) << printed;
  EXPECT_NE(printed.find("Transform"), std::string::npos) << printed;
  EXPECT_EQ(body->OwnerTransform, nullptr);

  physics.Update(0.025f, false);
  EXPECT_TRUE(physics.Bodies.empty());
  EXPECT_EQ(body->Position, (Vec2{0.0f, 0.0f}));

  // Once the object gets a Transform the body joins the simulation.
  auto* transform = factory.AddComponent<Transform>(*object);
  transform->Position = {0.0f, 10.0f};
  body->Initialize();
  physics.Update(0.025f, false);
  ASSERT_EQ(physics.Bodies.size(), 1u);
  EXPECT_LT(transform->Position.y, 10.0f) << "it falls";
}

}  // namespace
}  // namespace Framework
