// Physics: moves every body of the Factory's objects, collides them as
// axis-aligned boxes, separates and bounces them, marks the ones standing on
// something and posts a collision event to both objects of each touching pair.
//
// One step: gather the bodies in the Factory's order, integrate each (explicit
// Euler with per-axis multiplicative friction), carry the bodies that stood on
// a static body by that body's displacement (moving platforms), test every pair
// whose swept boxes meet (sort and sweep) at two samples of its motion, resolve
// positions over all contacts, then velocities, and write dynamic positions back
// to their Transforms. A paused step does nothing.
//
// Invariant: Bodies and the first ContactCount Contacts are valid only during
// a step; their storage is kept so that steady play does not allocate, and the
// contact store grows instead of dropping contacts when a step finds many, up to
// MaxContacts: a level that piles bodies on top of each other (every pair of n
// bodies touching) is stopped there, and said so, rather than taking minutes and
// gigabytes a step.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/InterfaceSystem.h"
#include "engine/Vec2.h"

namespace Framework {

class Body;

struct Contact {
  // The axis along which the pair is pushed apart.
  enum SeparationAxis : std::uint8_t { Horizontal = 0, Vertical = 1 };
  Body* A = nullptr;
  Body* B = nullptr;
  std::uint8_t Axis = Horizontal;
};

class Physics : public InterfaceSystem {
 public:
  // Reports whether A and B (in that order) touch this step, recording the contact.
  using CollisionTest = bool (Physics::*)(Body& a, Body& b);

  static Physics& Instance();

  void Initialize() override;
  // One step of dt seconds unless paused; a paused call changes nothing at all.
  void Update(float dt, bool paused) override;

  // The parts of a step, public so that tools and tests can drive them.
  void Step(float dt);
  void Integrate(Body& body, float dt);
  // Moves every dynamic body that stood on a static body in the last step by
  // that static body's displacement since then (scripts move static bodies).
  void CarryRiders();
  // Tests the pairs that may touch, in the order of the test of every pair.
  void DetectCollisions();
  void ResolvePositions();
  void ResolveVelocities();

  // Two samples of each body's motion (half way and at the end); the first that
  // overlaps makes the pair's one contact.
  bool SweptBoxTest(Body& a, Body& b);
  // Overlap of the two boxes placed at pa and pb (sized by their Transforms'
  // current scale). On overlap: records the contact, posts the two collision
  // events and marks the upper body of a vertical contact Grounded.
  bool BoxOverlap(Body& a, Vec2 pa, Body& b, Vec2 pb);
  // The broad phase: sorts the bodies' swept boxes along x and sweeps them, so
  // only pairs whose boxes overlap reach the collision test. It finds the same
  // contacts, in the same order, as testing every pair (BroadPhase = false,
  // which tests and benchmarks compare it with).
  bool BroadPhase = true;

  // A test slot for shape pairs that never collide.
  bool NoContact(Body& a, Body& b);

  // The contacts found by the current (or last) step, in test order.
  const Contact* ContactsBegin() const { return Contacts.data(); }
  const Contact* ContactsEnd() const { return Contacts.data() + ContactCount; }

  // Vertical acceleration of every dynamic body (negative pulls down). Levels set it.
  float Gravity = -1.0f;
  std::vector<Body*> Bodies;
  // Indexed by first shape's kind * ShapeKindCount + second shape's kind.
  std::array<CollisionTest, 4> CollisionTests;
  // Slots 0..ContactCount-1 are this step's contacts; the rest is kept storage.
  std::vector<Contact> Contacts;
  std::size_t ContactCount = 0;

  // Storage the contact store starts with; it grows past this when a step needs it.
  static constexpr std::size_t InitialContactCapacity = 1024;
  // The most contacts one step finds; the game's levels stay under a tenth of it.
  static constexpr std::size_t MaxContacts = 8192;
  // A step whose candidate pairs outnumber this (bodies piled up) tests every
  // pair instead, without storing them.
  static constexpr std::size_t MaxCandidatePairs = 8 * MaxContacts;
  // A static body that moved further than this in one step was put somewhere
  // else (a level reset, a script placing it), not ridden: nothing is carried.
  static constexpr float MaxCarry = 2.0f;

  ~Physics() override;

 private:
  Physics();
  void AddContact(Body& a, Body& b, std::uint8_t axis);
  // Tests one pair of Bodies (i < j) as the pair loop does; false once the
  // contact store is full and detection must stop.
  bool TestPair(std::size_t i, std::size_t j);
  // Fills candidates_ with the pairs (i < j) whose swept boxes may touch;
  // false when the box test is not the one in the table, or there are too many.
  bool FindCandidates();
  // Fills boxes_ with the collidable bodies' swept boxes, unboxed_ with those that have none.
  void BoxBodies();
  // The axis to sort and sweep the boxes along (0 for x, 1 for y).
  int SweepAxis() const;

  // A body's box over both samples of its motion, slightly widened so that no
  // rounding in the exact test can find an overlap the boxes miss.
  struct SweptBox {
    // Per axis (x, y): the lowest and the highest coordinate.
    float Low[2], High[2];
    std::uint32_t Index;
  };
  // Kept between steps, so that steady play does not allocate.
  std::vector<SweptBox> boxes_;
  std::vector<std::uint32_t> unboxed_;
  std::vector<std::uint64_t> candidates_;

  // Set while steps keep reaching MaxContacts, so that it is said once, not every step.
  bool overCrowded_ = false;
};

}  // namespace Framework
