// AudioSystem: plays the game's sounds for the rest of the game. Sounds are
// loaded once from "Audio/00_list_file.txt" and played by name on one of three
// groups (game effects, music, menu clicks) under a master group, either through
// posted AudioEvents or by direct calls from menus and the window system.
//
// A sound file that cannot be loaded is reported once (one line naming it) and
// plays as silence; the list itself is read by AssetIndex, like the other indexes.
//
// Invariants:
// - The four paused flags always say what the last group commands asked for,
//   also when no sound device could be opened and the game runs silently.
// - No command crashes: an unknown sound, a stale channel or a failing back end
//   is reported on standard error and the game goes on.
// - A play loops only if that play asked for it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "audio/AudioBackend.h"
#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/InterfaceSystem.h"

namespace Framework {

class AudioSystem : public InterfaceSystem {
 public:
  static constexpr const char* ListFile = "Audio/00_list_file.txt";
  static constexpr int ChannelCount = 64;
  static constexpr float StartVolume = 0.3f;
  // The master volume needs SDL_mixer 2.6.
  static constexpr int MinimumVersion = PackAudioVersion(2, 6, 0);

  static AudioSystem& Instance();

  // Posts an AudioEvent: `command` on the sound `soundName` (none for the music and
  // master commands). Every sound and volume request of the game goes this way.
  static void Post(std::int32_t command, const std::string& soundName = {});

  // The back end the next Initialize opens instead of SDL_mixer (tests hand in a fake).
  void SetBackend(std::unique_ptr<AudioBackend> backend);

  // Opens the device (falling back to silence without one), loads the sound
  // list, subscribes the listener, sets the start volume and clears the flags.
  void Initialize() override;
  // Refreshes ChannelsPlaying. The step and paused flag do not matter to sound.
  void Update(float dt, bool paused) override;

  AudioChannel PlaySound(const std::string& name, bool loop, AudioGroup group);
  void SetMasterVolume(float volume);
  // Runs one AudioEvent's command; numbers outside 0..14 do nothing.
  void Execute(const AudioEvent& event);

  // Releases the sounds, the device and the listener; Initialize may run again.
  void Shutdown();

  // True when no device could be opened and every command is a silent no-op.
  bool IsSilent() const { return silent_; }
  const AudioBackend& Backend() const { return *backend_; }

  // Writes a failed result to standard error in the two-line form; success is quiet.
  static void CheckResult(const AudioResult& result);

  std::unordered_map<std::string, SoundHandle> Sounds;
  std::int32_t ChannelsPlaying = 0;
  bool SfxPaused = false;
  bool MusicPaused = false;
  bool MenuPaused = false;
  bool MasterPaused = false;

 private:
  AudioSystem();
  ~AudioSystem() override;
  void LoadSoundList();
  void SetGroupPaused(AudioGroup group, bool paused, bool& flag);
  static void CheckChannelResult(const AudioResult& result);

  std::unique_ptr<AudioBackend> backend_;
  std::unique_ptr<AudioBackend> pending_;
  Subscription listener_;
  bool silent_ = false;
};

}  // namespace Framework
