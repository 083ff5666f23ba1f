// NullAudioBackend: the silent stand-in used when no sound device can be opened.
// Invariant: every operation succeeds and does nothing audible; plays hand back
// null channels, nothing ever counts as playing, and the last volume is kept.
#pragma once

#include "audio/AudioBackend.h"

namespace Framework {

class NullAudioBackend : public AudioBackend {
 public:
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
  int PlayingCount() const override { return 0; }
  bool IsPlaying(AudioChannel) const override { return false; }
  bool IsPaused(AudioChannel) const override { return false; }
  float MasterVolume() const override { return volume_; }

 private:
  SoundHandle loaded_ = 0;
  float volume_ = 1.0f;
};

}  // namespace Framework
