// The frame loop: steps, frame cap, Fps and flag timing, driven by a fake clock.
#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <functional>
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
  explicit ProbeSystem(std::function<void(ProbeSystem&, float, bool)> hook = {}) : hook_(std::move(hook)) {}
  void Update(float dt, bool paused) override {
    steps.push_back(dt);
    pausedSeen.push_back(paused);
    if (hook_) hook_(*this, dt, paused);
  }
  std::vector<float> steps;
  std::vector<bool> pausedSeen;

 private:
  std::function<void(ProbeSystem&, float, bool)> hook_;
};

class EngineLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    clock.Install(engine);
    engine.Running = true;
    engine.Paused = false;
  }
  // Runs the loop with one probe whose frames cost `frameCostMs` each.
  ProbeSystem& RunFrames(int frames, std::function<std::uint32_t(int)> frameCostMs) {
    probe = std::make_unique<ProbeSystem>([this, frames, frameCostMs](ProbeSystem& p, float, bool) {
      const int frame = static_cast<int>(p.steps.size()) - 1;
      clock.now += frameCostMs(frame);
      if (frame + 1 == frames) engine.Running = false;
      fpsAfterFrame.push_back(engine.Fps);
    });
    engine.AddSystem(probe.get());
    engine.MainLoop();
    return *probe;
  }

  Engine& engine = Engine::Instance();
  FakeClock clock;
  std::unique_ptr<ProbeSystem> probe;
  std::vector<int> fpsAfterFrame;
};

TEST_F(EngineLoop, FirstFrameGetsStepZero) {
  auto& p = RunFrames(1, [](int) { return 5u; });
  ASSERT_EQ(p.steps.size(), 1u);
  EXPECT_EQ(p.steps[0], 0.0f);
}

TEST_F(EngineLoop, ShortFrameWaitsToSeventeenMillisecondsAndFpsIs59) {
  auto& p = RunFrames(3, [](int) { return 5u; });
  ASSERT_EQ(p.steps.size(), 3u);
  EXPECT_FLOAT_EQ(p.steps[1], 0.017f);
  EXPECT_FLOAT_EQ(p.steps[2], 0.017f);
  EXPECT_EQ(engine.Fps, 59);
}

TEST_F(EngineLoop, CapSleepsInsteadOfSpinning) {
  RunFrames(10, [](int) { return 5u; });
  // Most of each 12 ms wait is slept; only the last couple of milliseconds are polled.
  EXPECT_GE(clock.slept, 10u * 9u);
  EXPECT_LT(clock.reads, 10 * 6);
}

TEST_F(EngineLoop, LongFrameGivesFps25AndClampedStep) {
  auto& p = RunFrames(2, [](int) { return 40u; });
  EXPECT_FLOAT_EQ(p.steps[1], 0.025f);
  EXPECT_EQ(engine.Fps, 25);
}

TEST_F(EngineLoop, StallOfTwoSecondsIsClampedTo25Milliseconds) {
  auto& p = RunFrames(3, [](int frame) { return frame == 0 ? 2000u : 5u; });
  EXPECT_FLOAT_EQ(p.steps[1], 0.025f);
  EXPECT_FLOAT_EQ(p.steps[2], 0.017f);
}

TEST_F(EngineLoop, ClockWrapAroundGivesTheTrueStep) {
  clock.now = 0xFFFFFFFFu - 3u;  // wraps during the first frame
  auto& p = RunFrames(2, [](int) { return 10u; });
  EXPECT_FLOAT_EQ(p.steps[1], 0.017f);
}

TEST_F(EngineLoop, NotRunningMeansNoFrame) {
  engine.Running = false;
  ProbeSystem p;
  engine.AddSystem(&p);
  engine.MainLoop();
  EXPECT_TRUE(p.steps.empty());
}

TEST_F(EngineLoop, ClearingRunningCompletesTheFrame) {
  ProbeSystem stopper([this](ProbeSystem&, float, bool) { engine.Running = false; });
  ProbeSystem after;
  engine.AddSystem(&stopper);
  engine.AddSystem(&after);
  engine.MainLoop();
  EXPECT_EQ(stopper.steps.size(), 1u);
  EXPECT_EQ(after.steps.size(), 1u) << "systems after the one that stopped still run that frame";
}

TEST_F(EngineLoop, PausedSetEarlyIsSeenLaterInTheSameFrame) {
  ProbeSystem windows([this](ProbeSystem& self, float, bool) {
    if (self.steps.size() == 2) engine.Paused = true;
  });
  ProbeSystem scripting([this](ProbeSystem& self, float, bool) {
    if (self.steps.size() == 3) engine.Running = false;
  });
  engine.AddSystem(&windows);
  engine.AddSystem(&scripting);
  engine.MainLoop();
  EXPECT_EQ(windows.pausedSeen, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(scripting.pausedSeen, (std::vector<bool>{false, true, true}));
}

TEST_F(EngineLoop, RunFramePassesTheStepToEverySystemInOrder) {
  std::vector<int> order;
  ProbeSystem a([&](ProbeSystem&, float, bool) { order.push_back(1); });
  ProbeSystem b([&](ProbeSystem&, float, bool) { order.push_back(2); });
  engine.AddSystem(&a);
  engine.AddSystem(&b);
  engine.RunFrame(0.01f);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_FLOAT_EQ(b.steps.at(0), 0.01f);
}

}  // namespace
}  // namespace Framework
