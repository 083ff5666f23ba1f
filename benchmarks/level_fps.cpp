// Frame rate of every level at rest and at its busiest moment, drawn as a player
// sees it: the real game (every system, the window at the desktop's size) in each
// play level and the finale, first as loaded, then with ten more fireflies about and
// three bomb blasts and a death spray set off around the player every second; and
// the main menu. Frames are run back to
// back, without the 60 fps cap, so the rate shows how much room a frame leaves;
// the game itself never runs faster than 60.
// Run from build/game under the virtual display, e.g.
//   cd build/game && SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1920x1080x24" ../benchmarks/level_fps [seconds]
// (scripts/fps.sh does that). It reports; it never fails.
#include <SDL.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/Engine.h"
#include "engine/Windows.h"
#include "game/Startup.h"
#include "gameplay/FireflyScript.h"
#include "gameplay/GameplayEffects.h"
#include "graphics/Graphics.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"
#include "objects/Factory.h"
#include "objects/Transform.h"

using namespace Framework;
using Clock = std::chrono::steady_clock;

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr int kSettleFrames = 30;     // the level's title and the camera's first glide
constexpr int kFireflies = 10;
constexpr float kBlastEvery = 1.0f;   // seconds: a blast's particles last about that long
constexpr float kBlastSpread = 4.0f;  // world units between the three blasts

Vec2 PlayerPosition() {
  const GameObject* player = Factory::Instance().Player;
  const Transform* t = player != nullptr ? player->GetComponent<Transform>() : nullptr;
  return t != nullptr ? t->Position : Vec2{};
}

void AddFireflies(Vec2 around) {
  Factory& factory = Factory::Instance();
  for (int i = 0; i < kFireflies; ++i) {
    GameObject* firefly = factory.CreateObject();
    auto* t = factory.AddComponent<Transform>(*firefly);
    t->Position = {around.x - 8.0f + 1.7f * static_cast<float>(i), around.y + 2.0f + static_cast<float>(i % 3)};
    t->Scale = {0.15f, 0.15f};
    t->ZLayer = 0.95f;
    auto* light = factory.AddComponent<PointLight>(*firefly);
    light->Color = {1.0f, 1.0f, 1.0f};
    light->Radius = 0.25f;
    factory.AddComponent<Sprite>(*firefly)->Color = {0.5f, 0.75f, 1.0f};
    factory.AddComponent<FireflyScript>(*firefly);
  }
}

void SetOffBlasts() {
  const Vec2 at = PlayerPosition();
  for (int i = -1; i <= 1; ++i) SpawnExplosionBurst({at.x + kBlastSpread * static_cast<float>(i), at.y + 1.0f});
  SpawnDeathSpray(at, DeathSprayKind::Enemy);
}

struct Figures {
  double fps = 0.0;
  double worstMs = 0.0;
  // Processor time of the whole process (the renderer's threads too) per frame: on a
  // machine shared with other work it says what a frame costs when the wall clock cannot.
  double cpuMs = 0.0;
};

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

// Runs frames for `seconds`, setting off the blasts every kBlastEvery when `busy`.
Figures Measure(double seconds, bool busy) {
  Engine& engine = Engine::Instance();
  for (int i = 0; i < kSettleFrames; ++i) engine.RunFrame(kStep);
  std::vector<double> frameMs;
  float sinceBlast = kBlastEvery;
  const double cpuStart = ProcessCpuMs();
  const auto start = Clock::now();
  while (std::chrono::duration<double>(Clock::now() - start).count() < seconds && engine.Running) {
    if (busy && sinceBlast >= kBlastEvery) {
      SetOffBlasts();
      sinceBlast = 0.0f;
    }
    const auto t0 = Clock::now();
    engine.RunFrame(kStep);
    frameMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    sinceBlast += kStep;
  }
  Figures f;
  f.cpuMs = frameMs.empty() ? 0.0 : (ProcessCpuMs() - cpuStart) / static_cast<double>(frameMs.size());
  double total = 0.0;
  for (double ms : frameMs) total += ms;
  f.fps = total > 0.0 ? 1000.0 * static_cast<double>(frameMs.size()) / total : 0.0;
  f.worstMs = frameMs.empty() ? 0.0 : *std::max_element(frameMs.begin(), frameMs.end());
  return f;
}

void Report(const char* name, const Figures& rest, const Figures& busy) {
  std::printf("%-10s %7.1f %7.1f %9.1f %7.1f %7.1f%s\n", name, rest.fps, busy.fps, busy.worstMs, rest.cpuMs,
              busy.cpuMs, busy.fps >= 60.0 ? "" : "   below 60");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  StartGame();
  Engine& engine = Engine::Instance();
  engine.Running = true;
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(Windows::Instance().Window, &w, &h);
  std::printf("window %dx%d, %.1f s a level, frames uncapped\n", w, h, seconds);
  std::printf("%-10s %7s %7s %9s %15s\n", "fps", "at rest", "busiest", "worst ms", "cpu ms a frame");

  Serialization& levels = Serialization::Instance();
  levels.EnterMainMenu();
  const Figures menu = Measure(seconds, false);
  Report("main menu", menu, menu);

  for (int slot = LevelSlot::FirstPlay; slot <= LevelSlot::Finale; ++slot) {
    MenuSystem::Instance().SetMenu(MenuId::None);
    engine.Paused = false;
    levels.CurrentLevel = slot - 1;
    levels.NextLevel();
    engine.RunFrame(kStep);  // the new world is built at the end of a frame
    const Figures rest = Measure(seconds, false);
    AddFireflies(PlayerPosition());
    char name[16];
    if (slot == LevelSlot::Finale) {
      std::snprintf(name, sizeof name, "finale");
    } else {
      std::snprintf(name, sizeof name, "level %d", LevelNumber(slot));
    }
    Report(name, rest, Measure(seconds, true));
  }
  StopGame();
  return 0;
}
