// The soak: the whole game, from the first splash screen on, under random keyboard
// and mouse input drawn from a fixed seed, for many simulated minutes at the fixed
// frame step, drawn as in the game and heard through SDL_mixer (the dummy device).
// The input mashes the play and menu keys, the window's keys (Escape, F2, F11, r,
// x, z, f), clicks left and right anywhere in the view and on menu buttons, asks
// for checkpoints, loses and regains focus and asks to close the window; the level
// changes, deaths, restarts and credits follow from it.
//
// What must hold besides "no crash, no sanitizer report":
// - Every load of a level slot from its file builds the same world (objects,
//   components, listeners, bombs and fireflies aside), give or take the throw
//   indicator; a continued game holds no more than the level it was saved in.
// The counts of objects, components, listeners and the like are printed once a
// simulated minute, for a person watching a long run; a leak of memory itself is
// the sanitizer's leak checker's to find.
//
// TUMBRIX_SOAK_MINUTES sets the simulated length (the default is the short run of
// the ordinary suite; scripts/soak.sh runs the long one), TUMBRIX_SOAK_SEED the
// seed; both are printed, so that any failure can be played again.
// F10 is never pressed: it does nothing but end the game. A quit confirmed in the
// menus is counted and the game plays on from where it stands.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "gameplay/CreditsScript.h"
#include "gameplay/GameFlow.h"
#include "graphics/Graphics.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"
#include "objects/Factory.h"
#include "objects/Scripting.h"
#include "particles/ParticleDrawing.h"
#include "particles/ParticleSystem.h"
#include "support/Scenario.h"

namespace Framework {
namespace {

using namespace std::chrono_literals;

constexpr int kFramesPerMinute = 60 * 60;
constexpr int kShortRunMinutes = 3;
constexpr std::uint32_t kDefaultSeed = 1;
// Frames per drawn frame: every drawing path runs several times a second, and the
// software renderer does not set the pace of the run.
constexpr int kDrawEvery = 30;
// A run this long meets every screen, level and menu.
constexpr int kLongRunMinutes = 10;

int EnvironmentNumber(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

// What is counted, in the order printed.
enum Count { Objects, Components, Scripts, Listeners, Queued, Particles, Emitters, Channels, Texts, CountKinds };
constexpr const char* kCountNames[CountKinds] = {"objects", "components", "scripts", "listeners", "queued",
                                                 "particles", "emitters", "channels", "texts"};
using Counts = std::array<std::size_t, CountKinds>;

Counts Measure() {
  const Factory& factory = Factory::Instance();
  const EventSystem& events = EventSystem::Instance();
  const ParticleSystem& particles = ParticleSystem::Instance();
  Counts counts{};
  counts[Objects] = factory.Objects.size();
  for (const auto& [id, object] : factory.Objects) counts[Components] += object->Components.size();
  counts[Scripts] = Scripting::Instance().Count();
  for (int type = 0; type < EventTypeCount; ++type) counts[Listeners] += events.ListenerCount(static_cast<EventType>(type));
  counts[Queued] = events.QueuedCount();
  counts[Particles] = particles.LiveCount();
  counts[Emitters] = particles.Records.size();
  counts[Channels] = static_cast<std::size_t>(std::max(AudioSystem::Instance().ChannelsPlaying, 0));
  counts[Texts] = Graphics::Instance().Messages.size();
  return counts;
}

// The level's own world: what a load builds, without the bombs and fireflies that
// play adds (their requests may be met in the very frame of the load, or not).
Counts MeasureWorld() {
  Counts counts = Measure();
  counts[Objects] = counts[Components] = 0;
  for (const auto& [id, object] : Factory::Instance().Objects) {
    if (CreditsScript::IsPlayOnly(*object)) continue;
    ++counts[Objects];
    counts[Components] += object->Components.size();
  }
  return counts;
}

// Presses and clicks at random, as a player mashing everything would.
class Monkey {
 public:
  Monkey(Scenario& s, std::uint32_t seed) : s_(s), random_(seed) {}

  // One random action: a few frames up to several seconds of play.
  void Act() {
    const int roll = Below(100);
    if (roll < 30) {
      HoldKeys();
    } else if (roll < 50) {
      s_.ClickLeftAt(MenuSystem::Instance().HasActiveMenu() && Below(10) < 6 ? OnAButton() : Anywhere());
    } else if (roll < 58) {
      s_.ClickRightAt(Anywhere());
    } else if (roll < 73) {
      TapWindowKey();
    } else if (roll < 76) {
      auto checkpoint = std::make_unique<SerializationEvent>();
      checkpoint->Command = SerializationCommand::Checkpoint;
      EventSystem::Instance().Post(std::move(checkpoint));
      ++Checkpoints;
    } else if (roll < 78) {
      // Away from the window for a moment: alt-tab, or minimise and restore.
      const bool minimise = Below(2) == 0;
      s_.AtWindowStep([] { GameFlow::Instance().OnFocusLost(); });
      s_.Run(Seconds(Uniform(0.1f, 1.0f)));
      s_.AtWindowStep([minimise] {
        if (minimise) GameFlow::Instance().OnRestored();
        GameFlow::Instance().OnFocusGained();
      });
    } else if (roll < 79) {
      s_.AtWindowStep([] { GameFlow::Instance().OnCloseRequest(); });
    } else if (roll < 81) {
      s_.AimAt(Anywhere());
      s_.Run(Seconds(Uniform(0.05f, 0.5f)));
    } else if (roll < 98) {
      s_.Run(Seconds(Uniform(0.1f, 3.0f)));
    } else {
      // Long enough for the credits to roll to their end.
      s_.Run(Seconds(Uniform(10.0f, 45.0f)));
    }
    Engine& engine = Engine::Instance();
    if (!engine.Running) {
      ++Quits;
      engine.Running = true;
    }
  }

  int Checkpoints = 0;
  int Quits = 0;

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random_); }

  // A point of the visible area.
  Vec2 Anywhere() {
    const Camera& camera = Graphics::Instance().Camera;
    return {camera.Position.x + Uniform(-0.5f, 0.5f) * camera.ViewHalfWidth,
            camera.Position.y + Uniform(-0.5f, 0.5f) * camera.ViewHalfHeight};
  }

  Vec2 OnAButton() {
    MenuSystem& menus = MenuSystem::Instance();
    const Menu* menu = menus.FindMenu(menus.CurrentMenu);
    if (menu == nullptr || menu->Buttons.empty()) return Anywhere();
    auto button = menu->Buttons.begin();
    std::advance(button, Below(static_cast<int>(menu->Buttons.size())));
    return {button->second->Position.x, button->second->Position.y};
  }

  void HoldKeys() {
    static constexpr SDL_Scancode kKeys[] = {SDL_SCANCODE_LEFT,  SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP,
                                             SDL_SCANCODE_DOWN,  SDL_SCANCODE_SPACE, SDL_SCANCODE_W,
                                             SDL_SCANCODE_A,     SDL_SCANCODE_S,     SDL_SCANCODE_D,
                                             SDL_SCANCODE_RETURN, SDL_SCANCODE_F3,   SDL_SCANCODE_RIGHT};
    const int held = 1 + Below(2);
    std::vector<SDL_Scancode> keys;
    for (int i = 0; i < held; ++i) keys.push_back(kKeys[Below(static_cast<int>(std::size(kKeys)))]);
    for (SDL_Scancode key : keys) s_.Press(key);
    s_.Run(Seconds(Uniform(0.05f, 1.5f)));
    for (SDL_Scancode key : keys) s_.Release(key);
  }

  void TapWindowKey() {
    struct WindowKey {
      SDL_Scancode Key;
      SDL_Keycode Code;
      int Weight;
    };
    static constexpr WindowKey kKeys[] = {
        {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 35}, {SDL_SCANCODE_X, SDLK_x, 20}, {SDL_SCANCODE_R, SDLK_r, 15},
        {SDL_SCANCODE_Z, SDLK_z, 10},           {SDL_SCANCODE_F, SDLK_f, 8},  {SDL_SCANCODE_F2, SDLK_F2, 7},
        {SDL_SCANCODE_F11, SDLK_F11, 5}};
    int roll = Below(100);
    for (const WindowKey& key : kKeys) {
      if (roll < key.Weight) {
        s_.TapWindowKey(key.Key, key.Code);
        return;
      }
      roll -= key.Weight;
    }
  }

  Scenario& s_;
  std::mt19937 random_;
};

// Watches every frame: the counts once a minute, the world each load builds,
// and which levels and menus were reached.
class SoakLog {
 public:
  void AfterFrame(int frame) {
    const std::int32_t level = Serialization::Instance().CurrentLevel;
    Levels.insert(level);
    Menus.insert(MenuSystem::Instance().CurrentMenu);
    if (level != lastLevel_) ++LevelChanges;
    lastLevel_ = level;
    // A load is judged a frame later, once the requests its objects posted are met.
    if (Loads != loadsSeen_) {
      loadsSeen_ = Loads;
      loadPending_ = true;
    } else if (loadPending_) {
      loadPending_ = false;
      JudgeLoad(MeasureWorld());
    }
    if (frame % kFramesPerMinute == 0) Print(frame / kFramesPerMinute, Measure());
  }

  void JudgeLoad(const Counts& world) {
    const std::string& source = Serialization::Instance().RootSource();
    if (source != Serialization::Instance().AutosavePath) {
      auto [entry, first] = AfterLoad.try_emplace(source, std::make_pair(world, world));
      for (int i = 0; i < CountKinds; ++i) {
        entry->second.first[i] = std::min(entry->second.first[i], world[i]);
        entry->second.second[i] = std::max(entry->second.second[i], world[i]);
      }
      return;
    }
    // A continued game: at most the level it was saved in, as its file builds it, and its throw indicator.
    ++Continues;
    const auto saved = AfterLoad.find(Serialization::Instance().GetLevelFile(SavedFrom));
    if (saved != AfterLoad.end()) {
      ContinuedExcess = std::max(ContinuedExcess, static_cast<long>(world[Objects]) -
                                                      static_cast<long>(saved->second.first[Objects]));
    }
  }

  void Print(int minute, const Counts& now) const {
    std::printf("soak minute %2d  level %2d  menu %d", minute, lastLevel_, MenuSystem::Instance().CurrentMenu);
    for (int i = 0; i < CountKinds; ++i) std::printf("  %s %zu", kCountNames[i], now[i]);
    std::printf("\n");
    std::fflush(stdout);
  }

  int Loads = 0;
  int Continues = 0;
  // The level the autosave was last written in, and how many objects more than
  // that level's own file builds the worst continue brought back.
  std::int32_t SavedFrom = -1;
  long ContinuedExcess = 0;
  int LevelChanges = 0;
  std::set<std::int32_t> Levels;
  std::set<std::int32_t> Menus;
  // Per level file, the least and the most of each count of the world it built.
  std::map<std::string, std::pair<Counts, Counts>> AfterLoad;

 private:
  int loadsSeen_ = 0;
  bool loadPending_ = false;
  std::int32_t lastLevel_ = -1;
};

TEST(SoakTest, RandomPlayThroughMenusAndLevelsLeaksNothing) {
  const int minutes = EnvironmentNumber("TUMBRIX_SOAK_MINUTES", kShortRunMinutes);
  const auto seed = static_cast<std::uint32_t>(EnvironmentNumber("TUMBRIX_SOAK_SEED", kDefaultSeed));
  std::printf("soak: %d simulated minutes, seed %u (TUMBRIX_SOAK_MINUTES, TUMBRIX_SOAK_SEED)\n", minutes, seed);

  Scenario s(seed, ScenarioMenus::On);
  s.UseShippedLevels();
  s.DrawFrames(EnvironmentNumber("TUMBRIX_SOAK_DRAW_EVERY", kDrawEvery));
  Graphics::Instance().CollectParticles = [](Graphics& graphics) {
    CollectParticles(ParticleSystem::Instance(), graphics);
  };
  // The real mixer instead of the scenario's silent one, so that channels are counted.
  AudioSystem::Instance().Initialize();

  SoakLog log;
  Serialization& levels = Serialization::Instance();
  levels.Hooks.ClearParticles = [&log] {
    ParticleSystem::Instance().Clear();
    ++log.Loads;
  };
  levels.WriteText = [&](std::ostream& out, const std::string& text) {
    log.SavedFrom = levels.CurrentLevel;
    return static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())));
  };
  s.AfterFrame = [&] { log.AfterFrame(s.Frame()); };

  s.LoadSlot(LevelSlot::FirstSplash);
  log.AfterFrame(0);
  Monkey monkey(s, seed);
  while (s.Frame() < minutes * kFramesPerMinute) {
    monkey.Act();
    s.ForgetRecorded();
  }
  s.AfterFrame = nullptr;

  std::printf("soak: %d level changes, %d loads, %d continues, %d checkpoints, %d quits\n", log.LevelChanges,
              log.Loads, log.Continues, monkey.Checkpoints, monkey.Quits);

  // A level makes its throw indicator (three components and a listener) in its
  // first frame, which may be the frame of the load; nothing else may differ.
  constexpr std::size_t kIndicator[CountKinds] = {1, 3, 0, 1};
  for (const auto& [file, range] : log.AfterLoad) {
    for (int i : {Objects, Components, Listeners}) {
      EXPECT_LE(range.second[i] - range.first[i], kIndicator[i]) << kCountNames[i] << " built by " << file;
    }
  }
  EXPECT_LE(log.ContinuedExcess, 1) << "a continued game brought back more than its level and throw indicator";
  if (minutes >= kLongRunMinutes) {
    // (The second splash screen only shows to a player who presses nothing for five seconds.)
    for (std::int32_t slot : {0, 2, 3, 10, 11, 12, 13, 14, 15, 16, 17, 18}) EXPECT_TRUE(log.Levels.contains(slot)) << slot;
    for (std::int32_t menu = MenuId::Main; menu <= MenuId::LevelSelect; ++menu) EXPECT_TRUE(log.Menus.contains(menu)) << menu;
  }
  EXPECT_GT(log.LevelChanges, 0);
}

}  // namespace
}  // namespace Framework
