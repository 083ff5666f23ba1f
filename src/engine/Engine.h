// Engine: owns the ordered list of systems and runs the capped 60 fps frame loop.
// Invariant: Systems is the update order; every frame visits each system once,
// in order, and reads Paused afresh for each so a change is seen by later systems.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/InterfaceSystem.h"

namespace Framework {

// A monotonic millisecond counter that wraps around at 2^32 (SDL_GetTicks serves).
using MillisecondClock = std::function<std::uint32_t()>;
// Gives the processor back for about that many milliseconds.
using MillisecondSleep = std::function<void(std::uint32_t)>;

class Engine {
 public:
  // Frames last at least this long: 1/60 s as the single-precision constant the cap compares with.
  static constexpr float FrameTime = 0.016666668f;
  // A long stall never hands a system a step larger than this.
  static constexpr float MaxStep = 0.025f;
  // The slow motion a playtester may ask for, and real time.
  static constexpr float SlowestTimeScale = 0.1f;
  static constexpr float RealTime = 1.0f;

  static Engine& Instance();

  void AddSystem(InterfaceSystem* system);

  // Runs frames until Running is cleared; the frame during which it is cleared completes.
  void MainLoop();

  // One pass over the systems with the given step (already clamped by the caller).
  void RunFrame(float step);

  // Replaces the clock and the sleep the frame cap uses (tests drive a fake clock).
  void SetClock(MillisecondClock clock, MillisecondSleep sleep);

  // Sets how much game time passes per second of the clock, kept within
  // SlowestTimeScale..RealTime; false (and the nearest allowed scale set) when
  // `scale` was outside.
  bool SetTimeScale(float scale);
  float TimeScale() const { return timeScale_; }

  bool FlyMode = false;
  std::vector<InterfaceSystem*> Systems;
  std::int32_t Fps = 0;
  std::uint32_t LastTime = 0;
  bool Running = true;
  bool Paused = false;

 private:
  Engine();
  // Ends a frame: waits until at least FrameTime has passed since LastTime,
  // sets Fps, and returns the measured step. `now` is the clock reading it ends at.
  float WaitForFrameEnd(std::uint32_t& now);

  MillisecondClock clock_;
  MillisecondSleep sleep_;
  float timeScale_ = RealTime;
};

}  // namespace Framework
