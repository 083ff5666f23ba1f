// Components on objects: lookup by exact class, ownership.
#include "objects/GameObject.h"

#include <gtest/gtest.h>

#include "objects/Transform.h"

namespace Framework {
namespace {

class Base : public Component {
 public:
  Base() : Component("Base") {}
};
class Derived : public Base {};
class First : public Component {
 public:
  First() : Component("First") {}
};
class Tracked : public Component {
 public:
  explicit Tracked(int* destroyed) : Component("Tracked"), destroyed_(destroyed) {}
  ~Tracked() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

TEST(GameObject, GetComponentFindsOnlyTheExactClassAndASecondOfAClassReplacesTheFirst) {
  GameObject object;
  EXPECT_EQ(object.GetComponent<Transform>(), nullptr);
  auto* derived = object.Attach(std::make_unique<Derived>());
  EXPECT_EQ(object.GetComponent<Derived>(), derived);
  EXPECT_EQ(object.GetComponent<Base>(), nullptr) << "a subclass is not found as its base";
  EXPECT_EQ(derived->Owner, &object);

  // A second component of a class replaces the first; DestroyComponents deletes all.
  int destroyed = 0;
  object.DestroyComponents();
  object.Attach(std::make_unique<Tracked>(&destroyed));
  auto* second = object.Attach(std::make_unique<Tracked>(&destroyed));
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(object.GetComponent<Tracked>(), second);
  object.Attach(std::make_unique<First>());
  EXPECT_EQ(object.Components.size(), 2u);
  object.DestroyComponents();
  EXPECT_EQ(destroyed, 2);
  EXPECT_TRUE(object.Components.empty());
}

}  // namespace
}  // namespace Framework
