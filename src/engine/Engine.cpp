#include "engine/Engine.h"

#include <SDL.h>

#include <algorithm>

namespace Framework {

Engine& Engine::Instance() {
  static Engine engine;
  return engine;
}

Engine::Engine()
    : clock_([] { return static_cast<std::uint32_t>(SDL_GetTicks()); }),
      sleep_([](std::uint32_t ms) { SDL_Delay(ms); }) {}

void Engine::AddSystem(InterfaceSystem* system) { Systems.push_back(system); }

void Engine::SetClock(MillisecondClock clock, MillisecondSleep sleep) {
  clock_ = std::move(clock);
  sleep_ = std::move(sleep);
}

bool Engine::SetTimeScale(float scale) {
  // Written so that NaN fails both tests and falls back to real time.
  const bool inside = scale >= SlowestTimeScale && scale <= RealTime;
  timeScale_ = inside ? scale : (scale < SlowestTimeScale ? SlowestTimeScale : RealTime);
  return inside;
}

void Engine::RunFrame(float step) {
  // Indexing (not iterators) keeps the walk valid even if a system registers another.
  for (std::size_t i = 0; i < Systems.size(); ++i) {
    Systems[i]->Update(step, Paused);
  }
}

float Engine::WaitForFrameEnd(std::uint32_t& now) {
  LastTime = now;
  now = clock_();
  // Unsigned subtraction survives the clock's wrap-around.
  float dt = static_cast<float>(now - LastTime) / 1000.0f;
  // Slow motion stretches the frames, not the steps: each step stays the length the
  // replays were recorded at, so a slowed game plays exactly as the full-speed one.
  const float frameTime = FrameTime / timeScale_;
  while (dt < frameTime) {
    // The clock counts whole milliseconds, so the wait sleeps whole milliseconds up
    // to the tick the frame ends on, and at least one: polling the clock instead
    // would keep a core busy for nothing while a menu shows.
    const float remainingMs = (frameTime - dt) * 1000.0f;
    sleep_(std::max(1u, static_cast<std::uint32_t>(remainingMs)));
    now = clock_();
    dt = static_cast<float>(now - LastTime) / 1000.0f;
  }
  Fps = static_cast<std::int32_t>(1.0f / dt + 0.5f);
  return dt;
}

void Engine::MainLoop() {
  std::uint32_t now = clock_();
  LastTime = now;
  float dt = 0.0f;
  if (!Running) return;
  do {
    RunFrame(std::min(dt * timeScale_, MaxStep));
    dt = WaitForFrameEnd(now);
  } while (Running);
}

}  // namespace Framework
