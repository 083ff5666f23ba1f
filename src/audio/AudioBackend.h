// AudioBackend: the one seam between the AudioSystem and whatever library makes
// the sound. It offers only what the game needs: load a file by path, play it on
// a group looped or not, pause/resume/stop one channel, pause/resume a whole
// group (or everything), a master volume, and the count of audible channels.
//
// Invariants every back end keeps:
// - A channel handle names one play. Once that play has ended or been stopped,
//   the handle is stale and channel operations on it answer InvalidHandle
//   (they never touch a later sound that reuses the same slot).
// - A channel is audible only if neither it, nor its group, nor Master is paused;
//   a sound started in a paused group starts paused and resumes with its group.
// - Nothing throws; every failure comes back as an AudioResult with the
//   library's own words in Details.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Events.h"

namespace Framework {

// Master stands above the other three: pausing it silences every channel.
enum class AudioGroup : std::int32_t { Sfx = 0, Music = 1, Menu = 2, Master = 3 };
inline constexpr int AudioGroupCount = 4;

// A loaded sound as the back end knows it; negative means none.
using SoundHandle = std::int32_t;
inline constexpr SoundHandle NoSound = -1;

// Result codes of back-end operations (0 is success).
enum AudioErrorCode : std::int32_t {
  AudioOk = 0,
  AudioDeviceFailed = 1,
  AudioLoadFailed = 2,
  AudioNoSound = 3,
  AudioNoFreeChannel = 4,
  AudioOperationFailed = 5,
  AudioInvalidHandle = 30,
};

struct AudioResult {
  std::int32_t Code = AudioOk;
  std::string Details;
  bool Ok() const { return Code == AudioOk; }
};

// Versions are packed as major * 10000 + minor * 100 + patch.
constexpr int PackAudioVersion(int major, int minor, int patch) { return major * 10000 + minor * 100 + patch; }

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;

  // The library version actually linked, packed as above.
  virtual int Version() const = 0;
  // Opens the output device with room for `channels` simultaneous sounds.
  virtual AudioResult Open(int channels) = 0;
  // Stops everything and releases every sound and the device. Safe to call twice.
  virtual void Close() = 0;

  virtual AudioResult Load(const std::string& path, SoundHandle& sound) = 0;
  // On failure `channel` is left null.
  virtual AudioResult Play(SoundHandle sound, AudioGroup group, bool loop, AudioChannel& channel) = 0;
  virtual AudioResult SetChannelPaused(AudioChannel channel, bool paused) = 0;
  virtual AudioResult Stop(AudioChannel channel) = 0;
  virtual AudioResult SetGroupPaused(AudioGroup group, bool paused) = 0;
  // 0 silent .. 1 full; values outside are clamped.
  virtual AudioResult SetMasterVolume(float volume) = 0;
  // Once per frame.
  virtual AudioResult Update() = 0;

  // Channels that are playing and not paused.
  virtual int PlayingCount() const = 0;
  // True while the play the handle names is still under way (paused or not).
  virtual bool IsPlaying(AudioChannel channel) const = 0;
  // True if that play is held silent, by itself, its group or Master.
  virtual bool IsPaused(AudioChannel channel) const = 0;
  virtual float MasterVolume() const = 0;
};

}  // namespace Framework
