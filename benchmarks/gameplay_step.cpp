// The whole simulation of one frame of play (scripts, events, physics, the
// factory and the level system; no drawing) in a level with a player, three
// bombs lying about, ten fireflies and a hundred platforms.
//
// BM_JumpReach is not a speed figure: each run plays one jump in the scenario
// harness and reports how high (rise of the feet) and how far (horizontal
// distance from take-off to landing back at the same height) it went, for the
// level designers' table (docs/level-design.md).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "objects/Transform.h"
#include "physics/Body.h"
#include "support/Scenario.h"

namespace {

using namespace Framework;
using namespace std::chrono_literals;

std::string BusyLevel() {
  LevelText level;
  level.Player({0, 1}).Platform({0, -1}, {200, 2});
  // A hundred platforms in a staircase field above and beside the player.
  for (int i = 0; i < 99; ++i) {
    level.Platform({-60.0f + static_cast<float>(i % 20) * 6.0f, 6.0f + static_cast<float>(i / 20) * 5.0f}, {4, 1});
  }
  return level.Text();
}

void BM_GameplayFrame(benchmark::State& state) {
  Scenario s;
  s.LoadLevel(BusyLevel(), 10);  // a level with fireflies
  s.Run(1s);
  for (float x : {4.0f, 6.0f, 8.0f}) {
    s.ClickLeftAt({x, 0});
    s.Run(0.3s);
  }
  s.Run(1s);  // the bombs come to rest
  s.Press(Keys::Right);
  for (auto _ : state) s.RunFrames(1);
  state.counters["objects"] = static_cast<double>(s.ObjectCount());
  state.counters["bombs"] = static_cast<double>(s.ObjectsNamed("Pusher").size());
}
BENCHMARK(BM_GameplayFrame)->Unit(benchmark::kMicrosecond);

// A frame of each shipped level (slots 10 to 18) with the player running right
// into whatever the level holds, dying and starting over: the mean frame, and as
// "p99_us" and "max_us" the frames that loaded nothing (a restart reads the level
// file). On a busy machine the maximum includes the scheduler's pauses.
void BM_ShippedLevelFrame(benchmark::State& state) {
  Scenario s;
  s.UseShippedLevels();
  s.LoadSlot(static_cast<std::int32_t>(state.range(0)));
  s.Press(Keys::Right);
  std::vector<double> steps;
  for (auto _ : state) {
    const std::uint32_t player = s.Player() ? s.Player()->Id : 0;
    const std::int32_t level = s.Level();
    const auto start = std::chrono::steady_clock::now();
    s.RunFrames(1);
    const double took = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    if (s.Level() == level && s.Player() && s.Player()->Id == player) steps.push_back(took);
  }
  std::sort(steps.begin(), steps.end());
  state.counters["p99_us"] = steps.empty() ? 0.0 : steps[steps.size() * 99 / 100];
  const double slowest = steps.empty() ? 0.0 : steps.back();
  state.counters["objects"] = static_cast<double>(s.ObjectCount());
  state.counters["max_us"] = slowest;
}
BENCHMARK(BM_ShippedLevelFrame)->DenseRange(10, 18)->Unit(benchmark::kMicrosecond);

enum JumpKind : int { Standing = 0, Running = 1, BombBoosted = 2 };

void BM_JumpReach(benchmark::State& state) {
  const auto kind = static_cast<JumpKind>(state.range(0));
  const auto gravity = static_cast<float>(state.range(1));
  const float airFriction = static_cast<float>(state.range(2)) / 100.0f;
  float rise = 0.0f, reach = 0.0f, airTime = 0.0f;
  for (auto _ : state) {
    Scenario s;
    s.LoadLevel(LevelText(gravity).PlayerAirFriction(airFriction).Player({-100, 1}, true).Platform({0, -1}, {400, 2}).Text(), 12);
    s.Run(1s);
    if (kind == Running) s.Hold(Keys::Right, 1.5s);
    if (kind == BombBoosted) {
      s.ClickLeftAt(s.PlayerPosition() - Vec2{0, 5});  // dropped at the feet
      s.Run(0.5s);
    }
    Body* body = s.PlayerBody();
    const Vec2 start = s.PlayerPosition();
    const float feet = start.y;
    s.Press(Keys::Right);
    s.Press(Keys::Jump);
    if (kind == BombBoosted) {
      s.PressButtonAt(3, start);
    } else {
      s.RunFrames(1);
    }
    s.Release(Keys::Jump);
    float top = start.y;
    const int takeOff = s.Frame();
    s.RunUntil(
        [&] {
          top = std::max(top, s.PlayerPosition().y);
          return s.Frame() - takeOff > 3 && body->Grounded;
        },
        20s);
    s.Release(Keys::Right);
    rise = top - feet;
    reach = s.PlayerPosition().x - start.x;
    airTime = static_cast<float>(s.Frame() - takeOff) * Scenario::Step;
  }
  state.counters["rise"] = rise;
  state.counters["reach"] = reach;
  state.counters["air_s"] = airTime;
}
BENCHMARK(BM_JumpReach)
    ->ArgNames({"kind", "gravity", "air_friction_percent"})
    ->ArgsProduct({{Standing, Running, BombBoosted}, {-20, -30, -40, -60}, {99, 90}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
