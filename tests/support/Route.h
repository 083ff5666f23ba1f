// Route: a replay written as the short list of things a player does (hold a key,
// jump where the ground ends, throw a bomb at a place, blast, wait for a moment or
// for something to happen), played on a Scenario. Steps that wait give up after a
// limit, and the route then fails naming the step and where the player was.
//
//   const Route route = {Hold(Keys::Right), JumpAt(37), Land(), JumpAt(92), ReachX(180)};
//   EXPECT_TRUE(PlayRoute(s, route));
//
// Invariant: a step reads only the game's state and the scripted input, so a route
// plays the same game every run.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "objects/Transform.h"
#include "support/Scenario.h"

namespace Framework {

struct RouteStep {
  std::string What;  // for failure messages, e.g. "jump at x 37"
  // Plays the step; false when what it waited for did not come in time.
  std::function<bool(Scenario&)> Play;
};
using Route = std::vector<RouteStep>;

// Keys held from now on, or let go.
RouteStep Hold(SDL_Scancode key);
RouteStep LetGo(SDL_Scancode key);
// Time passes with the input as it is.
RouteStep Wait(Seconds duration);
// Until the player's centre has passed `x` going right; fails when it is already past.
RouteStep ReachX(float x);
// Jump now (the jump key for one frame, other keys as they are held); fails when
// the player cannot jump at this moment (in the air, or squashed from a landing):
// a route must not lean on a press being a frame early or late.
RouteStep Jump();
// ReachX, then Jump.
RouteStep JumpAt(float x);
// Until the player stands on something again, able to jump.
RouteStep Land();
// A short jump while walking right: jump at `from`, let go of the key at `letGoAt`
// (the player drifts on a little), land, and walk on.
RouteStep ShortJump(float from, float letGoAt);
// A left click at a world position: a bomb thrown towards it. `fromPlayer` makes
// the position relative to the player's centre (a bomb dropped at the feet).
RouteStep Throw(Vec2 at, bool fromPlayer = false);
// A right click: every bomb out explodes (with `jump`, a jump in the same frame).
RouteStep Blast(bool jump = false);
// Until `done` holds.
RouteStep Until(const std::string& what, std::function<bool(Scenario&)> done, Seconds limit = Seconds(15));

// Where the `nth` object (in level-file order) that carries a T stands; far away
// when there is none.
template <class T>
Vec2 PositionOf(const Scenario& s, std::size_t nth = 0) {
  const std::vector<GameObject*> objects = s.ObjectsWith<T>();
  const Transform* transform = nth < objects.size() ? objects[nth]->GetComponent<Transform>() : nullptr;
  return transform ? transform->Position : Vec2{1e9f, 1e9f};
}

// Whether the player stands ready to jump (grown in, on the ground, not squashed).
bool ReadyToJump(const Scenario& s);

// Plays the steps in order; stops at the first that fails.
::testing::AssertionResult PlayRoute(Scenario& s, const Route& route);

}  // namespace Framework
