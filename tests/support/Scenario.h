// Scenario: plays the real game without drawing, frame by frame at a fixed
// 1/60 s step, from a short script of inputs. It loads a level (from text or a
// file), holds keys through the key-state seam, clicks at world positions
// through the mouse record, and lets a test read where the player is, which
// level is on, which objects live, and which sounds and messages were posted.
//
//   Scenario s;
//   s.LoadLevel(LevelText().Player({0, 1}).Platform({0, -1}, {40, 2}).Text());
//   s.Hold(Keys::Right, 1.5s);
//   s.Tap(Keys::Jump);
//   s.ClickLeftAt({12, 4});
//   EXPECT_TRUE(s.RunUntil([&] { return s.Level() == 11; }, 30s)) << s.Where();
//
// Systems, in the order of a real frame: AudioSystem (silent), the input step
// (standing in for the window's: it resets the click of the last frame, applies
// the scripted one and posts the KeyboardEvent and MouseEvent), Scripting,
// EventSystem, Physics, ParticleSystem, Factory, Serialization. Graphics is left
// out (nothing gameplay-visible depends on it: the mouse record is set in world
// units here), so a two-minute replay costs well under a second. The MenuSystem
// runs only when asked for (ScenarioMenus::On): it measures its labels with the
// font, which needs the game's window and GL context (the tests' virtual display),
// though nothing is drawn.
// Invariant: nothing depends on wall time, the X pointer or an unseeded random
// device; the same script gives the same game every run.
#pragma once

#include <SDL.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Events.h"
#include "engine/Gamepad.h"
#include "engine/Vec2.h"
#include "support/EventRecorder.h"
#include "support/TempFolder.h"

namespace Framework {

class Body;
class GameObject;
class InterfaceSystem;

namespace Keys {
inline constexpr SDL_Scancode Left = SDL_SCANCODE_LEFT;
inline constexpr SDL_Scancode Right = SDL_SCANCODE_RIGHT;
inline constexpr SDL_Scancode Jump = SDL_SCANCODE_SPACE;
inline constexpr SDL_Scancode Down = SDL_SCANCODE_DOWN;
}  // namespace Keys

using Seconds = std::chrono::duration<double>;

// Whether the menus run between Serialization's level changes and the physics.
enum class ScenarioMenus { Off, On };

// A float as text: with nine digits it reads back as the same float (level text);
// fewer suit messages.
std::string NumberText(float v, int digits = 9);

// Builds level files for tests in the game's format, one entry per call.
// Bodies get the engine's default friction; the player does not bounce on landing.
class LevelText {
 public:
  explicit LevelText(float gravity = -30.0f) : gravity_(gravity) {}
  // The player; `shovedByBlasts` gives it a BoomReactScript (bomb-boosted jumps).
  LevelText& Player(Vec2 at, bool shovedByBlasts = false);
  // The player's horizontal friction in the air (per-step multiplier; 0.99 by default).
  LevelText& PlayerAirFriction(float factor) {
    playerAirFriction_ = factor;
    return *this;
  }
  LevelText& Platform(Vec2 at, Vec2 size);
  LevelText& Spikes(Vec2 at, Vec2 size);
  // A dynamic box that explosions shove.
  LevelText& Crate(Vec2 at, Vec2 size);
  // Any entry, as JSON text.
  LevelText& Entry(const std::string& json);
  std::string Text() const;

 private:
  float gravity_;
  float playerAirFriction_ = 0.99f;
  std::vector<std::string> entries_;
};

class Scenario {
 public:
  static constexpr float Step = 1.0f / 60.0f;

  explicit Scenario(std::uint32_t seed = 1, ScenarioMenus menus = ScenarioMenus::Off);
  ~Scenario();
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;

  // Makes `text` the file of `slot` and loads it as the current level.
  void LoadLevel(const std::string& text, std::int32_t slot = 10);
  // Copies a level file (e.g. "saves/Save12.json" in the run-time folder) into `slot` and loads it.
  bool LoadLevelFile(const std::string& path, std::int32_t slot);
  // Points every level slot at the game's own level files in the run-time folder
  // (read there, never copied), so that the game moves along its real chain of
  // levels. The autosave stays private; LoadLevel still writes a private file.
  void UseShippedLevels();
  // Loads the file of `slot` as the current level, as the level chain does.
  void LoadSlot(std::int32_t slot);
  // Copies a level file into `slot` without loading it (a level a command will reach).
  bool InstallLevelFile(const std::string& path, std::int32_t slot);

  // Plays a replay the editor recorded against its level (the file beside it),
  // loaded into `slot`: the seed restored, the player at the start, then every
  // frame's keys, mouse and step as recorded. False when either cannot be read,
  // or when the player ends away from where the recording says it ended.
  bool PlayReplay(const std::string& replayFile, std::int32_t slot = 10);
  // Runs `system` every frame right after the input step, where the game runs the editor.
  void RunAfterInput(InterfaceSystem* system);

  // Time passes with the current input.
  void Run(Seconds duration);
  void RunFrames(int frames);
  // Runs until `done` holds (checked after each frame); false when time ran out.
  bool RunUntil(const std::function<bool()>& done, Seconds limit);

  // From here on the hands are on a game controller alone: the window's own input step
  // runs (SDL's queue, the controller merged in as in the game), the keyboard stays
  // idle, and the key steps below move the left stick (Left, Right, Down) and press A
  // (Jump) instead. Clicks are not played this way.
  void UseGamepad();

  // Keys: held until released, held for a while, or pressed for one frame.
  void Press(SDL_Scancode key);
  void Release(SDL_Scancode key);
  void Hold(SDL_Scancode key, Seconds duration);
  void Tap(SDL_Scancode key);
  // A key the window handles itself (Escape, F2, F11, r, x, z, f): it goes down for
  // one frame and the game's answer runs in the input step, as from the window. Runs that frame.
  void TapWindowKey(SDL_Scancode key, SDL_Keycode code);
  // Runs `action` in the next frame's input step, where the window meets focus
  // changes and close requests. Runs that frame.
  void AtWindowStep(std::function<void()> action);
  // Graphics draws from now on, after the input step as in the game, every `every`
  // frames with the time since it last drew, at most the engine's longest step (needs ScenarioMenus::On, whose window
  // and GL context it draws into). Software drawing is what makes long runs slow.
  void DrawFrames(int every = 1);

  // The cursor, in world units; it stays where it was put.
  void AimAt(Vec2 world);
  // A press of the button in the next frame, with the cursor at `world`
  // (the release follows in the frame after). Runs those two frames.
  void ClickLeftAt(Vec2 world);
  void ClickRightAt(Vec2 world);
  // The press alone, in the next frame; runs that frame.
  void PressButtonAt(std::uint8_t button, Vec2 world);

  // Reading the game.
  GameObject* Player() const;
  Vec2 PlayerPosition() const;
  Body* PlayerBody() const;
  std::int32_t Level() const;
  int Frame() const { return frame_; }
  double Time() const { return frame_ * static_cast<double>(Step); }
  // Live objects whose Name is `name` / that carry a component of class T.
  std::vector<GameObject*> ObjectsNamed(const std::string& name) const;
  template <class T>
  std::vector<GameObject*> ObjectsWith() const;
  std::size_t ObjectCount() const;
  // How often a sound was asked for, or a text put on screen, since the start.
  std::size_t CountSound(const std::string& name) const;
  std::size_t CountMessage(const std::string& text) const;
  // Drops the sounds and messages recorded so far: a long run keeps only the recent ones.
  void ForgetRecorded();
  // Called after every frame (a long run's bookkeeping); may be empty.
  std::function<void()> AfterFrame;
  // "frame 120 (2.00 s), level 10, player at (3.20, 1.00) moving (0.00, 0.00)": for failure messages.
  std::string Where() const;

 private:
  class Input;
  class Drawing;
  // With the controller in hand: the stick and A as the held keys say.
  void SyncPad();
  std::vector<GameObject*> ObjectsMatching(const std::function<bool(const GameObject&)>& test) const;

  TempFolder folder_{"tumbrix-scenario"};
  std::unique_ptr<Input> input_;
  std::unique_ptr<Drawing> drawing_;
  std::vector<InterfaceSystem*> previousSystems_;
  std::unique_ptr<EventRecorder<AudioEvent>> sounds_;
  std::unique_ptr<EventRecorder<GraphicsEvent>> messages_;
  int frame_ = 0;
  bool menus_ = false;
  bool gamepad_ = false;
  Gamepad::State pad_;
  std::array<std::uint8_t, SDL_NUM_SCANCODES> idleKeys_{};
};

}  // namespace Framework

#include "objects/Factory.h"

namespace Framework {

template <class T>
std::vector<GameObject*> Scenario::ObjectsWith() const {
  return ObjectsMatching([](const GameObject& object) { return object.GetComponent<T>() != nullptr; });
}

}  // namespace Framework
