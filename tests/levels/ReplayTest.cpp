// Replays of the shipped levels, read from the run-time folder: per play level a
// route that wins it and one that makes a typical mistake and starts over, the
// finale, and the whole game as a new player meets it, from the title to the
// credits and back. A route that stops working means a level or the mechanics
// changed enough to break it: look at the level (tools/preview) before the route.
// Routes wait for moving things by where they are, never by the clock, and every
// jump point has a few units of slack either side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "gameplay/DynamicHazardScript.h"
#include "gameplay/MovingPlatformScript.h"
#include "gameplay/PlayerController.h"
#include "levels/LevelSlots.h"
#include "menus/MenuSystem.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

using namespace std::chrono_literals;
using Keys::Right;

// A route is a replay written as the short list of things a player does (hold a
// key, jump where the ground ends, throw a bomb at a place, blast, wait for a
// moment or for something to happen). Steps that wait give up after a limit.
// A step reads only the game's state and the scripted input, so a route plays
// the same game every run.
struct RouteStep {
  std::string What;  // for failure messages, e.g. "jump at x 37"
  std::function<bool(Scenario&)> Play;  // false when what it waited for did not come in time
};
using Route = std::vector<RouteStep>;

// Where the `nth` object (in level-file order) that carries a T stands; far away
// when there is none.
template <class T>
Vec2 PositionOf(const Scenario& s, std::size_t nth = 0) {
  const std::vector<GameObject*> objects = s.ObjectsWith<T>();
  const Transform* transform = nth < objects.size() ? objects[nth]->GetComponent<Transform>() : nullptr;
  return transform ? transform->Position : Vec2{1e9f, 1e9f};
}

// Short enough for a failure message.
std::string Number(float v) { return NumberText(v, 6); }

// Whether the player stands ready to jump (grown in, on the ground, not squashed).
bool ReadyToJump(const Scenario& s) {
  const GameObject* player = s.Player();
  const auto* controller = player ? player->GetComponent<PlayerController>() : nullptr;
  const Body* body = s.PlayerBody();
  return controller && body && !controller->Spawning() && controller->CanJump() && !controller->JumpLocked() &&
         body->Grounded;
}

// Jump now; false when the player cannot jump at this moment (in the air, or
// squashed from a landing): a route must not lean on a press being a frame early or late.
bool JumpNow(Scenario& s) {
  if (!ReadyToJump(s)) return false;
  const std::size_t jumps = s.CountSound("beep.ogg");
  s.Tap(Keys::Jump);
  return s.CountSound("beep.ogg") > jumps;
}

// Keys held from now on, or let go.
RouteStep Hold(SDL_Scancode key) {
  return {std::string("hold ") + SDL_GetScancodeName(key), [key](Scenario& s) {
            s.Press(key);
            return true;
          }};
}

RouteStep LetGo(SDL_Scancode key) {
  return {std::string("let go of ") + SDL_GetScancodeName(key), [key](Scenario& s) {
            s.Release(key);
            return true;
          }};
}

// Time passes with the input as it is.
RouteStep Wait(Seconds duration) {
  return {"wait " + Number(static_cast<float>(duration.count())) + " s", [duration](Scenario& s) {
            s.Run(duration);
            return true;
          }};
}

// Until the player's centre has passed `x` going right.
RouteStep ReachX(float x) {
  return {"reach x " + Number(x), [x](Scenario& s) {
            // A route that has already passed the place went wrong earlier.
            const auto passed = [&] { return s.PlayerPosition().x >= x; };
            return !passed() && s.RunUntil(passed, Seconds(15));
          }};
}

RouteStep Jump() { return {"jump", JumpNow}; }

RouteStep JumpAt(float x) {
  const RouteStep reach = ReachX(x);
  return {"jump at x " + Number(x), [reach](Scenario& s) { return reach.Play(s) && JumpNow(s); }};
}

// Until the player stands on something again, able to jump.
RouteStep Land() {
  return {"land", [](Scenario& s) {
            bool airborne = false;
            return s.RunUntil(
                [&] {
                  const Body* body = s.PlayerBody();
                  airborne = airborne || (body && !body->Grounded);
                  return airborne && ReadyToJump(s);
                },
                Seconds(10));
          }};
}

// A short jump while walking right: jump at `from`, let go of the key at `letGoAt`
// (the player drifts on a little), land, and walk on.
RouteStep ShortJump(float from, float letGoAt) {
  const Route steps = {JumpAt(from), ReachX(letGoAt), LetGo(Keys::Right), Land(), Hold(Keys::Right)};
  return {"short jump from x " + Number(from) + " to x " + Number(letGoAt), [steps](Scenario& s) {
            return std::all_of(steps.begin(), steps.end(), [&](const RouteStep& step) { return step.Play(s); });
          }};
}

// A left click at a world position: a bomb thrown towards it. `fromPlayer` makes
// the position relative to the player's centre (a bomb dropped at the feet).
RouteStep Throw(Vec2 at, bool fromPlayer = false) {
  return {"throw at (" + Number(at.x) + ", " + Number(at.y) + ")" + (fromPlayer ? " from the player" : ""),
          [at, fromPlayer](Scenario& s) {
            const std::size_t throws = s.CountSound("throw.ogg");
            s.ClickLeftAt(fromPlayer ? s.PlayerPosition() + at : at);
            return s.CountSound("throw.ogg") > throws;
          }};
}

// A right click: every bomb out explodes (with `jump`, a jump in the same frame).
RouteStep Blast(bool jump = false) {
  return {jump ? "blast and jump" : "blast", [jump](Scenario& s) {
            if (jump && !ReadyToJump(s)) return false;
            if (jump) s.Press(Keys::Jump);
            s.PressButtonAt(SDL_BUTTON_RIGHT, s.PlayerPosition());
            s.Release(Keys::Jump);
            s.RunFrames(1);
            return true;
          }};
}

RouteStep Until(const std::string& what, std::function<bool(Scenario&)> done, Seconds limit = Seconds(15)) {
  return {"until " + what, [done, limit](Scenario& s) { return s.RunUntil([&] { return done(s); }, limit); }};
}

// Plays the steps in order; stops at the first that fails, naming it and where the player was.
::testing::AssertionResult PlayRoute(Scenario& s, const Route& route) {
  for (std::size_t i = 0; i < route.size(); ++i) {
    if (!route[i].Play(s)) {
      return ::testing::AssertionFailure() << "step " << i + 1 << " (" << route[i].What << ") failed: " << s.Where();
    }
  }
  return ::testing::AssertionSuccess();
}

// The nth platform or saw of the level, in file order.
Vec2 Platform(const Scenario& s, std::size_t n) { return PositionOf<MovingPlatformScript>(s, n); }
Vec2 Saw(const Scenario& s, std::size_t n) { return PositionOf<DynamicHazardScript>(s, n); }

// Until the platform rests at one of its end points (they wait there for a while).
RouteStep PlatformAt(std::size_t n, Vec2 at) {
  return Until("platform " + std::to_string(n) + " at its end", [=](Scenario& s) {
    const Vec2 p = Platform(s, n);
    return std::fabs(p.x - at.x) < 0.02f && std::fabs(p.y - at.y) < 0.02f;
  }, 30s);
}
// Until the platform arrives at an end point, not while it is about to leave it:
// one resting there already is let go and waited for on its next visit.
RouteStep PlatformArrives(std::size_t n, Vec2 at) {
  const RouteStep there = PlatformAt(n, at);
  const RouteStep away = Until("platform " + std::to_string(n) + " away", [=](Scenario& s) {
    const Vec2 p = Platform(s, n);
    return std::fabs(p.x - at.x) >= 0.02f || std::fabs(p.y - at.y) >= 0.02f;
  }, 30s);
  return {"platform " + std::to_string(n) + " arrives", [=](Scenario& s) { return away.Play(s) && there.Play(s); }};
}
// Until the player is about over a platform it is catching up with.
RouteStep OverPlatform(std::size_t n) {
  return Until("over platform " + std::to_string(n),
               [=](Scenario& s) { return s.PlayerPosition().x >= Platform(s, n).x - 1.5f; });
}
// Until a saw reaches the right end of its sweep, or passes a height going up or down.
RouteStep SawRightOf(std::size_t n, float x) {
  return Until("saw " + std::to_string(n) + " at the right", [=](Scenario& s) { return Saw(s, n).x >= x; });
}
RouteStep SawAbove(std::size_t n, float y) {
  return Until("saw " + std::to_string(n) + " up", [=](Scenario& s) { return Saw(s, n).y >= y; });
}
RouteStep SawBelow(std::size_t n, float y) {
  return Until("saw " + std::to_string(n) + " down", [=](Scenario& s) { return Saw(s, n).y <= y; });
}
// Until a saw coming the other way is `gap` units ahead: time to jump over it.
RouteStep SawAhead(std::size_t n, float gap) {
  return Until("saw " + std::to_string(n) + " ahead",
               [=](Scenario& s) { return Saw(s, n).x - s.PlayerPosition().x <= gap; });
}
// Stand still, drop a bomb at the feet, then jump and blast together.
const Route kBoostedJump = {LetGo(Right), Wait(0.5s), Throw({0, -5}, true), Wait(0.5s), Hold(Right),
                            Blast(true)};
// Throw a bomb just short of a crate (standing on `floor`) from a few steps back and blast it away.
Route BlastCrate(float standAt, float crateX, float floor = 0) {
  return {Hold(Right), ReachX(standAt), LetGo(Right), Wait(0.5s), Throw({crateX - 2, floor + 0.3f}), Wait(0.4s),
          Blast(), Wait(1s), Hold(Right)};
}
Route Join(std::initializer_list<Route> parts) {
  Route route;
  for (const Route& part : parts) route.insert(route.end(), part.begin(), part.end());
  return route;
}

struct LevelReplay {
  std::int32_t Slot;
  Route Win;        // from the start into the exit
  Route Mistake;    // from the start into a hazard
  Vec2 KilledNear;  // where the mistake ends
};

const LevelReplay kLevel1 = {
    LevelSlot::FirstPlay,
    {Hold(Right), JumpAt(37), Land(), Jump(), Land(), JumpAt(93), Land(), ShortJump(123, 128), ShortJump(137, 142),
     JumpAt(193), Land(), ShortJump(223, 230), JumpAt(236), ReachX(264)},
    {Hold(Right), JumpAt(37), Land(), Jump(), Land()},  // walks on into the first pit
    {101.5f, -3}};

const LevelReplay kLevel2 = {
    LevelSlot::FirstPlay + 1,
    {Hold(Right), JumpAt(27), Land(), JumpAt(60), Land(), JumpAt(90), Land(),
     // up the stair of ledges over the long pit
     ShortJump(135, 142), ShortJump(147, 154), ShortJump(161, 168), ShortJump(175, 182), JumpAt(189), Land(),
     JumpAt(235), Land(), JumpAt(292), Land(), ReachX(331)},
    {Hold(Right), JumpAt(27), Land(), JumpAt(60), Land(), JumpAt(90), ReachX(95), LetGo(Right)},  // lets go too soon
    {97.5f, -7.5f}};

const LevelReplay kLevel3 = {
    LevelSlot::FirstPlay + 2,
    Join({BlastCrate(38, 48),
          {JumpAt(54), Land(), Jump(), Land(), Jump(), Land(), ReachX(102)},
          kBoostedJump,  // over the safe hollow and up the wall
          {Land(), ReachX(166)},
          kBoostedJump,  // up the cliff over the spike pit
          {Land(), ReachX(227)}}),
    Join({BlastCrate(38, 48), {JumpAt(54), Land(), Jump(), Land(), Jump(), Land(), ReachX(102)}, kBoostedJump,
          {Land(), JumpAt(167)}}),  // no bomb at the cliff
    {177.5f, 12}};

const LevelReplay kLevel4 = {
    LevelSlot::FirstPlay + 3,
    Join({{Hold(Right), JumpAt(21), Land(), JumpAt(86), Land(), JumpAt(137), Land(), ShortJump(168, 176),
           ShortJump(181.5f, 191), ShortJump(195.5f, 205), JumpAt(209.5f), Land(), JumpAt(253), Land(), JumpAt(289),
           Land(), ReachX(328)},
          kBoostedJump,  // onto the stone span over the spike bed
          {Land(), ReachX(395)}}),
    {Hold(Right)},  // into the first row of spikes
    {23.5f, 0}};

const LevelReplay kLevel5 = {
    LevelSlot::FirstPlay + 4,
    {Hold(Right), ReachX(9), Land(), PlatformAt(3, {12, -2}), ReachX(19),  // ridden up out of the hollow
     ReachX(22), LetGo(Right), PlatformAt(0, {34, -1.8f}), Hold(Right), OverPlatform(0), LetGo(Right),
     Land(), PlatformAt(0, {46, -1.8f}), Hold(Right), Jump(), ReachX(55), LetGo(Right), Land(), PlatformAt(1, {104, -1.5f}), Hold(Right), ShortJump(97, 102), LetGo(Right),
     PlatformAt(1, {104, 14.5f}), Hold(Right), Jump(), Land(), ReachX(143), LetGo(Right), PlatformArrives(2, {154, 14.2f}),
     Hold(Right), OverPlatform(2), LetGo(Right), Land(), PlatformAt(2, {184, 14.2f}), Hold(Right), Jump(), Land(),
     ReachX(213)},
    {Hold(Right)},  // walks on over the ferry's far end instead of jumping up the bank
    {50.5f, -8}};

// Up the wall on the pusher's shove, to the near edge of the trench.
const Route kLevel6Climb = {Hold(Right), ReachX(71), LetGo(Right), Wait(0.5s), Jump(), Wait(0.3s),
                            Hold(Right), Blast(), ReachX(96), LetGo(Right), Land()};

const LevelReplay kLevel6 = {
    LevelSlot::FirstPlay + 5,
    Join({kLevel6Climb,
          kBoostedJump,  // over the trench and its two enemies
          {Land(), JumpAt(164.5f), Land()},
          BlastCrate(197, 210, 11),  // out from under the stone gate
          {ReachX(217), Jump(), Land(), JumpAt(253), Land(), ReachX(289)}}),  // and over it
    Join({kLevel6Climb, {Hold(Right)}}),  // walks on into the trench of two enemies
    {125.5f, 9}};

const LevelReplay kLevel7 = {
    LevelSlot::FirstPlay + 6,
    {Hold(Right), ReachX(28), LetGo(Right), SawRightOf(0, 48), Hold(Right), SawAhead(0, 12), Jump(), Land(),
     ReachX(70), LetGo(Right), SawAbove(1, 9), SawBelow(1, 0), Hold(Right), Jump(), ReachX(94), LetGo(Right), Land(),
     SawRightOf(2, 120), Hold(Right), SawAhead(2, 12), Jump(), Land(), LetGo(Right), SawRightOf(3, 158),
     Hold(Right), SawAhead(3, 12), Jump(), Land(), LetGo(Right), Wait(0.5s), Hold(Right), ShortJump(189, 193),
     LetGo(Right), SawBelow(4, 2.3f), Hold(Right), ShortJump(197.5f, 211.5f), Jump(), Land(), ReachX(247)},
    {Hold(Right)},  // into the first saw
    {40, 1}};

const LevelReplay kLevel8 = {
    LevelSlot::LastNumbered,
    Join({BlastCrate(20, 30),
          {JumpAt(36), Land(), Jump(), Land(), JumpAt(63), ReachX(88), LetGo(Right), Land(),
           PlatformAt(0, {100, 6.5f}), Hold(Right), ShortJump(94, 98), LetGo(Right), PlatformAt(0, {112, 6.5f}),
           Hold(Right), Jump(), ReachX(118), LetGo(Right), Land(), Hold(Right), JumpAt(152), Land(),  // the rampart
           JumpAt(180), Land(), ReachX(215), LetGo(Right), Land(),  // over the enemy, down into the yard
           SawRightOf(0, 242), Hold(Right), SawAhead(0, 12), Jump(), Land(), ReachX(257), LetGo(Right)},
          kBoostedJump,
          {Land(), ReachX(301)}}),
    Join({BlastCrate(20, 30), {JumpAt(36), Land(), Jump(), Land()}}),  // on into the spikes
    {65.5f, 8}};

const LevelReplay kFinale = {LevelSlot::Finale, {Hold(Right), ReachX(47)}, {}, {}};

const LevelReplay* const kGame[] = {&kLevel1, &kLevel2, &kLevel3, &kLevel4, &kLevel5,
                                    &kLevel6, &kLevel7, &kLevel8, &kFinale};

std::int32_t After(std::int32_t slot) { return slot == LevelSlot::Finale ? LevelSlot::Credits : slot + 1; }

// The shipped level in `slot`, as the level chain loads it.
void StartAt(Scenario& s, std::int32_t slot) {
  s.UseShippedLevels();
  s.LoadSlot(slot);
}

// Plays a winning route from wherever the level starts and lets go of the keys.
::testing::AssertionResult Win(Scenario& s, const LevelReplay& level) {
  ::testing::AssertionResult played = PlayRoute(s, level.Win);
  if (!played) return played << " in slot " << level.Slot;
  if (!s.RunUntil([&] { return s.Level() != level.Slot; }, 3s) || s.Level() != After(level.Slot)) {
    return ::testing::AssertionFailure() << "slot " << level.Slot << " did not move on: " << s.Where();
  }
  for (SDL_Scancode key : {Keys::Left, Keys::Right, Keys::Jump}) s.Release(key);
  return ::testing::AssertionSuccess();
}

void ExpectWon(const LevelReplay& level) {
  Scenario s;
  StartAt(s, level.Slot);
  const double start = s.Time();
  ASSERT_TRUE(Win(s, level));
  EXPECT_EQ(s.CountMessage("Try again"), 0u);
  // How long the route takes, for the level notes (ctest -R Replay -V shows it).
  std::cout << "slot " << level.Slot << " won in " << std::fixed << std::setprecision(1) << s.Time() - start
            << " s\n";
}

void ExpectStartedOver(const LevelReplay& level) {
  Scenario s;
  StartAt(s, level.Slot);
  const Vec2 start = s.PlayerPosition();
  const auto firstPlayer = s.Player()->Id;
  ASSERT_TRUE(PlayRoute(s, level.Mistake));
  // Where the first player was last seen: the restart builds a new one.
  Vec2 last = s.PlayerPosition();
  ASSERT_TRUE(s.RunUntil(
      [&] {
        if (s.Player() && s.Player()->Id == firstPlayer) last = s.PlayerPosition();
        return s.CountMessage("Try again") > 0;
      },
      8s))
      << s.Where();
  EXPECT_EQ(s.Level(), level.Slot);
  EXPECT_LT(std::hypot(last.x - level.KilledNear.x, last.y - level.KilledNear.y), 3.0f)
      << "killed at (" << last.x << ", " << last.y << ")";
  EXPECT_NE(s.Player()->Id, firstPlayer);
  EXPECT_EQ(s.PlayerPosition().x, start.x);
  EXPECT_EQ(s.PlayerPosition().y, start.y);
}

// One test per level and route: "Replay/Wins.Route/Level3", "Replay/StartsOver.Route/Level3".
class Wins : public ::testing::TestWithParam<const LevelReplay*> {};
class StartsOver : public Wins {};
TEST_P(Wins, Route) { ExpectWon(*GetParam()); }
TEST_P(StartsOver, Route) { ExpectStartedOver(*GetParam()); }
std::string LevelName(const ::testing::TestParamInfo<const LevelReplay*>& info) {
  const std::int32_t slot = info.param->Slot;
  return slot == LevelSlot::Finale ? "Finale" : "Level" + std::to_string(slot - LevelSlot::FirstPlay + 1);
}
INSTANTIATE_TEST_SUITE_P(Replay, Wins, ::testing::ValuesIn(kGame), LevelName);
// The finale has no mistake to make: it is a walk into the exit.
INSTANTIATE_TEST_SUITE_P(Replay, StartsOver, ::testing::ValuesIn(std::begin(kGame), std::end(kGame) - 1), LevelName);

// The first level's route with a controller alone, through the window's own input
// step: the left stick walks and A jumps.
TEST(ReplayTest, WinsLevel1WithTheGamepadAlone) {
  Scenario s;
  s.UseGamepad();
  StartAt(s, kLevel1.Slot);
  EXPECT_TRUE(Win(s, kLevel1));
  EXPECT_EQ(s.CountMessage("Try again"), 0u);
}

TEST(ReplayTest, WholeGameAsANewPlayer) {
  Scenario s(1, ScenarioMenus::On);
  s.UseShippedLevels();
  MenuSystem& menus = MenuSystem::Instance();
  // Start-up: the title and then the controls card stand five seconds each.
  s.LoadSlot(LevelSlot::FirstSplash);
  for (std::int32_t next : {LevelSlot::SecondSplash, LevelSlot::MainMenu}) {
    const double shown = s.Time();
    ASSERT_TRUE(s.RunUntil([&] { return s.Level() == next; }, 6s)) << s.Where();
    EXPECT_NEAR(s.Time() - shown, 5.0, 0.05);
  }
  EXPECT_TRUE(Engine::Instance().Paused);
  ASSERT_EQ(menus.CurrentMenu, MenuId::Main);
  s.Run(0.5s);
  const MenuButton* newGame = menus.FindButton(MenuId::Main, 1);
  ASSERT_TRUE(newGame && newGame->Label == u"NEW GAME");
  s.ClickLeftAt({newGame->Position.x, newGame->Position.y});
  ASSERT_EQ(s.Level(), LevelSlot::FirstPlay);
  EXPECT_FALSE(Engine::Instance().Paused);

  for (const LevelReplay* level : kGame) ASSERT_TRUE(Win(s, *level));
  // The credits roll to their end and hand over to the main menu.
  ASSERT_TRUE(s.RunUntil([&] { return s.Level() == LevelSlot::MainMenu; }, 40s)) << s.Where();
  EXPECT_EQ(menus.CurrentMenu, MenuId::Main);
  EXPECT_TRUE(Engine::Instance().Paused);
  EXPECT_EQ(s.CountMessage("Try again"), 0u);
}

}  // namespace
}  // namespace Framework
