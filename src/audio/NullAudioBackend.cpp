#include "audio/NullAudioBackend.h"

#include <algorithm>

namespace Framework {

// Claims the oldest version the game accepts: nothing here depends on a newer one.
int NullAudioBackend::Version() const { return PackAudioVersion(2, 6, 0); }

AudioResult NullAudioBackend::Open(int) { return {}; }

void NullAudioBackend::Close() { loaded_ = 0; }

AudioResult NullAudioBackend::Load(const std::string&, SoundHandle& sound) {
  // Distinct handles keep the name table meaningful for anyone reading it.
  sound = loaded_++;
  return {};
}

AudioResult NullAudioBackend::Play(SoundHandle, AudioGroup, bool, AudioChannel& channel) {
  channel = AudioChannel{};
  return {};
}

AudioResult NullAudioBackend::SetChannelPaused(AudioChannel, bool) { return {}; }

AudioResult NullAudioBackend::Stop(AudioChannel) { return {}; }

AudioResult NullAudioBackend::SetGroupPaused(AudioGroup, bool) { return {}; }

AudioResult NullAudioBackend::SetMasterVolume(float volume) {
  volume_ = std::clamp(volume, 0.0f, 1.0f);
  return {};
}

AudioResult NullAudioBackend::Update() { return {}; }

}  // namespace Framework
