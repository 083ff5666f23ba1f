// SdlMixerBackend: the AudioBackend over SDL2_mixer.
//
// SDL_mixer has neither channel groups nor group pausing, so this class keeps
// its own table: for every mixer channel the group of the play on it, the
// play's serial number and whether that play was paused by itself. A channel's
// mixer pause state is always recomputed from (own || group || Master), so a
// group resume never wakes a channel that was paused on its own, and a Master
// resume never wakes a group that is still muted.
//
// A long sound (the music) is not decoded into memory: it is streamed from its file
// while it plays, on the mixer's one music stream, which the table keeps as a slot
// of its own after the mixer channels; playing another long sound replaces it there.
//
// Invariant: a handle is valid only while its serial matches the slot's and the
// mixer still has a sound on that channel or stream (paused ones count, since
// Mix_Playing and Mix_PlayingMusic report them too).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/AudioBackend.h"

struct Mix_Chunk;
struct _Mix_Music;

namespace Framework {

class SdlMixerBackend : public AudioBackend {
 public:
  SdlMixerBackend() = default;
  ~SdlMixerBackend() override;
  SdlMixerBackend(const SdlMixerBackend&) = delete;
  SdlMixerBackend& operator=(const SdlMixerBackend&) = delete;

  int Version() const override;
  AudioResult Open(int channels) override;
  void Close() override;
  AudioResult Load(const std::string& path, SoundHandle& sound) override;
  AudioResult Play(SoundHandle sound, AudioGroup group, bool loop, AudioChannel& channel) override;
  AudioResult SetChannelPaused(AudioChannel channel, bool paused) override;
  AudioResult Stop(AudioChannel channel) override;
  AudioResult SetGroupPaused(AudioGroup group, bool paused) override;
  AudioResult SetMasterVolume(float volume) override;
  AudioResult Update() override;
  int PlayingCount() const override;
  bool IsPlaying(AudioChannel channel) const override;
  bool IsPaused(AudioChannel channel) const override;
  float MasterVolume() const override { return volume_; }

 private:
  struct Slot {
    AudioGroup Group = AudioGroup::Sfx;
    std::uint32_t Serial = 0;
    bool OwnPause = false;
  };
  struct ChunkDeleter {
    void operator()(Mix_Chunk* chunk) const;
  };
  struct MusicDeleter {
    void operator()(_Mix_Music* music) const;
  };
  // A loaded sound: decoded samples, or a file streamed while it plays.
  struct Sound {
    std::unique_ptr<Mix_Chunk, ChunkDeleter> Chunk;
    std::unique_ptr<_Mix_Music, MusicDeleter> Stream;
  };

  bool IsValid(AudioChannel channel) const;
  AudioResult Invalid(AudioChannel channel) const;
  bool HeldByGroups(const Slot& slot) const;
  void ApplyPause(int index);
  // The slot of the music stream, after the mixer channels.
  int StreamSlot() const { return static_cast<int>(slots_.size()) - 1; }
  // Whether the slot's channel (or the stream) has a sound, paused or not.
  bool Sounding(int index) const;
  bool MixerPaused(int index) const;
  AudioResult PlayStream(const Sound& sound, AudioGroup group, bool loop, AudioChannel& channel);
  void ApplyStreamVolume() const;

  bool open_ = false;
  std::vector<Slot> slots_;
  std::vector<Sound> sounds_;
  std::array<bool, AudioGroupCount> groupPaused_{};
  std::uint32_t nextSerial_ = 1;
  float volume_ = 1.0f;
};

}  // namespace Framework
