// Serialization: the system that owns the JSON document of the current world,
// the fifty level slots and the autosave. It builds worlds from level files
// through FactoryEvents and writes the live world back out. Moving along the chain
// of level slots on SerializationEvents is LevelProgression's work, the disk side
// is JsonFile's, and the level title and notices are LevelNotices'; this class
// keeps the names the rest of the game calls.
//
// Invariants: Root holds the last document read or written, never a half-read
// one (a failed read leaves it as it was); CurrentLevel only changes to a slot
// inside 0..49 through the progression commands; a save either replaces the
// autosave with a complete file or leaves the old one untouched.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include <json/value.h>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/InterfaceSystem.h"
#include "engine/Vec2.h"
#include "levels/JsonFile.h"
#include "levels/LevelProgression.h"
#include "levels/LevelSlots.h"
#include "levels/PlaytestClock.h"

namespace Framework {

class GameObject;

// What Update needs to place texts on screen: the camera's centre and half view.
struct CameraView {
  Vec2 Position{0.0f, 0.0f};
  float ViewHalfWidth = 32.0f * 16.0f / 9.0f;
  float ViewHalfHeight = 32.0f;
};

// Connections to systems that are not part of this one. Each may stay empty:
// the serializer then does without (a default camera, nothing to clear, no menu).
struct SerializationHooks {
  // The live camera; empty means the default view centred on (0, 0).
  std::function<CameraView()> Camera;
  // The particle system drops every emitter and particle (each load).
  std::function<void()> ClearParticles;
  // Main menu: SetMenu(1), ReturnMenu = 1, PlaceMenu(1) on the menu system.
  std::function<void()> OpenMainMenu;
  // Continue from the autosave: switch the menu system to the pause menu (2).
  std::function<void()> OpenPauseMenu;
  // Before the credits save: give the player back the scale its animation keeps,
  // and QueueDestroy every object with a BoomScript or FireflyScript (bombs in
  // flight and fireflies must not end up in the autosave).
  std::function<void()> PrepareCreditsSave;
  // Whether an object exists only while playing (a bomb, a firefly): saves leave
  // it out, or a continued game would hold a plain copy beside the ones play makes
  // again. Empty: every object is written.
  std::function<bool(const GameObject&)> PlayOnly;
  // A different level (another slot, or the autosave) has just been built:
  // the camera jumps to its player. Restarts and reloads of the same slot keep the view.
  std::function<void()> LevelChanged;
};

class Serialization : public InterfaceSystem {
 public:
  static constexpr int kLevelSlotCount = LevelSlot::Count;

  static Serialization& Instance();

  void Initialize() override;
  void Update(float dt, bool paused) override;
  ~Serialization() override;

  // Replaces the world by the file's content; a file that cannot be read or
  // parsed brings back the world of the previous document (false), and when that
  // file was the level slot being entered, the game goes on past it.
  bool Load(const std::string& fileName);
  // Parses the file into Root. False (and Root unchanged) when the file cannot
  // be opened or is not a JSON object.
  bool ReadFile(const std::string& fileName);
  // Builds one object per entry of Root; broken entries are reported and skipped.
  void BuildWorld();
  // Builds one object from a level entry; null (reported) when the entry is broken
  // and nothing was built. `entryName` names the entry in messages.
  GameObject* BuildEntry(const Json::Value& entry, const std::string& entryName);

  // Writes the live world to the file; true when the file now holds it.
  bool Save(const std::string& fileName);
  // Writes Root to the file through a temporary file renamed over it.
  bool WriteFile(const std::string& fileName);
  // Makes Root describe the live world.
  void WriteWorld();
  // One object as a level entry: its Name and a block per component that has a level key.
  Json::Value WriteEntry(const GameObject& object) const;
  // A whole level in the shipped files' form: the gravity, and these objects as an
  // array in the order given (so a level written twice reads the same).
  Json::Value WriteLevel(const std::vector<const GameObject*>& objects) const;
  // The level file of a slot; empty (with a message) outside 0..49.
  std::string GetLevelFile(int slot) const;
  // The file Root was last read from or written to.
  const std::string& RootSource() const { return rootSource_; }

  // Carries out one SerializationCommand; unknown numbers do nothing. The
  // progression steps are LevelProgression's (see there).
  void Execute(std::int32_t command, const std::string& fileName = {}) { progression_.Execute(command, fileName); }
  void OnSerializationEvent(const SerializationEvent& event) {
    // The command works on its own copy of the name, whatever happens to the event meanwhile.
    Execute(event.Command, std::string(event.FileName));
  }
  void Checkpoint() { progression_.Checkpoint(); }
  void RestartOrContinue() { progression_.RestartOrContinue(); }
  void NextLevel() { progression_.NextLevel(); }
  void PreviousLevel() { progression_.PreviousLevel(); }
  void NewGame() { progression_.NewGame(); }
  void EnterMainMenu() { progression_.EnterMainMenu(); }
  void ShowCredits() { progression_.ShowCredits(); }

  Json::Value Root;
  std::array<std::string, kLevelSlotCount> LevelFiles;
  std::string AutosavePath;
  std::int32_t CurrentLevel = 0;
  std::int32_t LastLevel = 0;
  // Set while a level is only being tried out (the editor's test play): the
  // autosave, which holds the player's progress, is then never written.
  bool ProgressFrozen = false;
  bool ShowCheckpoint = false;
  bool ShowTryAgain = false;
  float LevelTitleTimer = 0.0f;
  float MessageTimer = 0.0f;
  bool MusicStarted = false;

  // Every object the last BuildWorld (or a later BuildEntry) made from a level
  // entry, with the "Name" the entry gave ("" when none). The game gives objects no
  // name from a file, but whoever writes the level back (the editor) keeps them;
  // objects made while playing are not here.
  std::unordered_map<std::uint32_t, std::string> EntryNames;
  // How many worlds have been built: one more after every BuildWorld.
  std::uint64_t WorldsBuilt = 0;
  // Game time and restarts since the play level on screen was entered (the win's log line).
  PlaytestClock Playtest;

  SerializationHooks Hooks;
  // Writes the saved text to the temporary file; false when the write failed.
  // Tests replace it to interrupt a save part-way.
  WriteTextFunction WriteText;

  Serialization(const Serialization&) = delete;
  Serialization& operator=(const Serialization&) = delete;

 private:
  Serialization();

  LevelProgression progression_{*this};
  Subscription listener_;
  // The slot the last Load built, to tell a level change from a reload.
  std::int32_t builtLevel_ = -1;
  // The file Root was last read from or written to, for messages about its entries.
  std::string rootSource_;
};

}  // namespace Framework
