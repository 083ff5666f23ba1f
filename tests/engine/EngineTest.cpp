// The frame loop: steps, frame cap, Fps and flag timing, driven by a fake clock.
#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace Framework {
namespace {

// A millisecond clock that moves when read, when the loop sleeps, and when a frame "works".
struct FakeClock {
  std::uint32_t now = 1000;
  std::uint32_t slept = 0;
  std::uint32_t lastRead = 0;
  int reads = 0;
  void Install(Engine& engine) {
    // Reading the same value twice lets a millisecond pass, like a real clock being polled.
    engine.SetClock([this] {
                      ++reads;
                      if (reads > 1 && now == lastRead) ++now;
                      return lastRead = now;
                    },
                    [this](std::uint32_t ms) { slept += ms; now += ms; });
  }
};

// A system that runs a hook every frame and records what it was given.
class ProbeSystem : public InterfaceSystem {
 public:
  explicit ProbeSystem(std::function<void(ProbeSystem&)> hook = {}) : hook_(std::move(hook)) {}
  void Update(float dt, bool paused) override {
    steps.push_back(dt);
    pausedSeen.push_back(paused);
    if (hook_) hook_(*this);
  }
  std::vector<float> steps;
  std::vector<bool> pausedSeen;

 private:
  std::function<void(ProbeSystem&)> hook_;
};

class EngineLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    clock.Install(engine);
    engine.Running = true;
    engine.Paused = false;
  }
  // The probe dies with the test; the engine must not keep visiting it.
  void TearDown() override { engine.Systems.clear(); }
  // Runs the main loop from `startMs` with one probe whose frames cost `costMs[frame]`
  // each, ending after the last; returns the steps the probe was given.
  std::vector<float> RunFrames(std::uint32_t startMs, const std::vector<std::uint32_t>& costMs) {
    clock = FakeClock{};
    clock.now = startMs;
    clock.Install(engine);
    engine.Systems.clear();
    engine.Running = true;
    probe = std::make_unique<ProbeSystem>([this, costMs](ProbeSystem& p) {
      const std::size_t frame = p.steps.size() - 1;
      clock.now += costMs[frame];
      if (frame + 1 == costMs.size()) engine.Running = false;
    });
    engine.AddSystem(probe.get());
    engine.MainLoop();
    return probe->steps;
  }

  Engine& engine = Engine::Instance();
  FakeClock clock;
  std::unique_ptr<ProbeSystem> probe;
};

TEST_F(EngineLoop, StepsAreTheMeasuredFrameTimeCappedAt60FpsBySleepingAndClampedAfterAStall) {
  struct Case {
    const char* what;
    std::uint32_t startMs;
    std::vector<std::uint32_t> costMs;
    std::vector<float> steps;
    int fps;
  };
  const Case cases[] = {
      {"the first frame gets 0; short frames wait to 17 ms", 1000, {5, 5, 5}, {0.0f, 0.017f, 0.017f}, 59},
      {"a long frame is clamped to 25 ms", 1000, {40, 40}, {0.0f, 0.025f}, 25},
      {"a two-second stall is clamped, then frames are short again", 1000, {2000, 5, 5}, {0.0f, 0.025f, 0.017f}, 59},
      {"the clock wraps around during the first frame", 0xFFFFFFFFu - 3u, {10, 10}, {0.0f, 0.017f}, 59},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RunFrames(c.startMs, c.costMs), c.steps);
    EXPECT_EQ(engine.Fps, c.fps);
  }
  // The cap sleeps instead of spinning.
  RunFrames(1000, std::vector<std::uint32_t>(10, 5));
  // All of each 12 ms wait is slept, not polled.
  EXPECT_GE(clock.slept, 10u * 11u);
  EXPECT_LT(clock.reads, 10 * 4);
  // Slow motion waits twice as long for each frame, so the steps a jump is made of
  // stay as long as ever (a stall still clamped), and it stays within its range.
  EXPECT_FALSE(engine.SetTimeScale(0.05f));
  EXPECT_EQ(engine.TimeScale(), Engine::SlowestTimeScale);
  EXPECT_TRUE(engine.SetTimeScale(0.5f));
  EXPECT_EQ(RunFrames(1000, {5, 100, 5}), (std::vector<float>{0.0f, 0.017f, 0.025f}));
  EXPECT_FALSE(engine.SetTimeScale(3.0f));
  EXPECT_EQ(engine.TimeScale(), Engine::RealTime);
}

TEST_F(EngineLoop, ClearingRunningCompletesTheFrameAndNotRunningRunsNone) {
  ProbeSystem stopper([this](ProbeSystem&) { engine.Running = false; });
  ProbeSystem after;
  engine.AddSystem(&stopper);
  engine.AddSystem(&after);
  engine.MainLoop();
  EXPECT_EQ(stopper.steps.size(), 1u);
  EXPECT_EQ(after.steps.size(), 1u) << "systems after the one that stopped still run that frame";
  engine.MainLoop();
  EXPECT_EQ(stopper.steps.size(), 1u) << "a loop started while not running runs no frame";
}

TEST_F(EngineLoop, PausedSetEarlyIsSeenLaterInTheSameFrame) {
  ProbeSystem windows([this](ProbeSystem& self) {
    if (self.steps.size() == 2) engine.Paused = true;
  });
  ProbeSystem scripting([this](ProbeSystem& self) {
    if (self.steps.size() == 3) engine.Running = false;
  });
  engine.AddSystem(&windows);
  engine.AddSystem(&scripting);
  engine.MainLoop();
  EXPECT_EQ(windows.pausedSeen, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(scripting.pausedSeen, (std::vector<bool>{false, true, true}));
}

}  // namespace
}  // namespace Framework
