#include "audio/SdlMixerBackend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace Framework {

namespace {
constexpr int kFrequency = 44100;
constexpr int kOutputChannels = 2;
constexpr int kBufferFrames = 1024;

// How many times a pause is asked for again before the mixer's word is taken.
constexpr int kPauseAttempts = 20;
// Files larger than this (the music, tens of seconds long) are streamed while they
// play: decoded whole, the music alone would hold about 8 MB of samples.
constexpr std::uintmax_t kStreamAboveBytes = 256 * 1024;

AudioResult MixerError(std::int32_t code) { return {code, Mix_GetError()}; }

// SDL_mixer marks a channel paused with the tick count of the moment, so a pause
// made in SDL's first millisecond (tick 0) does not take; and it checks, without
// holding the mixer's lock, that the channel is mid-sound, which a looping sound
// briefly is not while the mixer thread starts it over. Either way the channel
// would go on sounding while the game counts it as paused, so ask again until
// the mixer reports it paused.
void PauseMixerChannel(int index) {
  Mix_Pause(index);
  for (int attempt = 0; attempt < kPauseAttempts && Mix_Playing(index) && !Mix_Paused(index); ++attempt) {
    SDL_Delay(1);
    Mix_Pause(index);
  }
}
}  // namespace

void SdlMixerBackend::ChunkDeleter::operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
void SdlMixerBackend::MusicDeleter::operator()(Mix_Music* music) const { Mix_FreeMusic(music); }

SdlMixerBackend::~SdlMixerBackend() { Close(); }

int SdlMixerBackend::Version() const {
  const SDL_version* linked = Mix_Linked_Version();
  return PackAudioVersion(linked->major, linked->minor, linked->patch);
}

AudioResult SdlMixerBackend::Open(int channels) {
  if (open_) return {};
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return {AudioDeviceFailed, SDL_GetError()};
  // Ogg support is loaded on demand by most builds; asking early only makes a
  // missing decoder show up at the first load instead of silently later.
  Mix_Init(MIX_INIT_OGG);
  if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kOutputChannels, kBufferFrames) != 0) {
    AudioResult failure = MixerError(AudioDeviceFailed);
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return failure;
  }
  const int allocated = Mix_AllocateChannels(std::max(channels, 1));
  // One more slot than channels: the music stream's.
  slots_.assign(static_cast<std::size_t>(allocated) + 1, Slot{});
  groupPaused_.fill(false);
  volume_ = 1.0f;
  Mix_MasterVolume(MIX_MAX_VOLUME);
  open_ = true;
  return {};
}

void SdlMixerBackend::Close() {
  if (!open_) return;
  open_ = false;
  // At exit another system may already have shut SDL down; SDL_mixer's calls
  // then find no device and only release their own memory, which is still ours to free.
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  sounds_.clear();
  slots_.clear();
  Mix_CloseAudio();
  Mix_Quit();
  if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

AudioResult SdlMixerBackend::Load(const std::string& path, SoundHandle& sound) {
  sound = NoSound;
  if (!open_) return {AudioLoadFailed, "the audio device is not open"};
  // The mixer's own words for a missing file do not say so.
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) return {AudioLoadFailed, "no such file"};
  if (!std::filesystem::is_regular_file(path, ignored)) return {AudioLoadFailed, "not a file"};
  Sound loaded;
  if (std::filesystem::file_size(path, ignored) > kStreamAboveBytes) {
    loaded.Stream.reset(Mix_LoadMUS(path.c_str()));
    if (!loaded.Stream) return MixerError(AudioLoadFailed);
  } else {
    loaded.Chunk.reset(Mix_LoadWAV(path.c_str()));
    if (!loaded.Chunk) return MixerError(AudioLoadFailed);
  }
  sounds_.push_back(std::move(loaded));
  sound = static_cast<SoundHandle>(sounds_.size() - 1);
  return {};
}

bool SdlMixerBackend::Sounding(int index) const {
  return index == StreamSlot() ? Mix_PlayingMusic() != 0 : Mix_Playing(index) != 0;
}

bool SdlMixerBackend::MixerPaused(int index) const {
  return index == StreamSlot() ? Mix_PausedMusic() != 0 : Mix_Paused(index) != 0;
}

void SdlMixerBackend::ApplyStreamVolume() const {
  // The mixer's master volume leaves the music stream alone.
  Mix_VolumeMusic(static_cast<int>(std::lround(volume_ * MIX_MAX_VOLUME)));
}

AudioResult SdlMixerBackend::PlayStream(const Sound& sound, AudioGroup group, bool loop, AudioChannel& channel) {
  const int index = StreamSlot();
  Slot& slot = slots_[static_cast<std::size_t>(index)];
  slot.Group = group;
  slot.OwnPause = false;
  slot.Serial = nextSerial_++;
  if (nextSerial_ == 0) nextSerial_ = 1;
  const bool startPaused = HeldByGroups(slot);
  if (startPaused) Mix_VolumeMusic(0);
  const int played = Mix_PlayMusic(sound.Stream.get(), loop ? -1 : 0);
  if (startPaused) Mix_PauseMusic();
  ApplyStreamVolume();
  if (played < 0) return MixerError(AudioOperationFailed);
  channel = AudioChannel{index, slot.Serial};
  return {};
}

bool SdlMixerBackend::HeldByGroups(const Slot& slot) const {
  return groupPaused_[static_cast<std::size_t>(slot.Group)] ||
         groupPaused_[static_cast<std::size_t>(AudioGroup::Master)];
}

void SdlMixerBackend::ApplyPause(int index) {
  const Slot& slot = slots_[static_cast<std::size_t>(index)];
  const bool paused = slot.OwnPause || HeldByGroups(slot);
  if (index == StreamSlot()) {
    if (paused) {
      Mix_PauseMusic();
    } else {
      Mix_ResumeMusic();
    }
  } else if (paused) {
    PauseMixerChannel(index);
  } else {
    Mix_Resume(index);
  }
}

AudioResult SdlMixerBackend::Play(SoundHandle sound, AudioGroup group, bool loop, AudioChannel& channel) {
  channel = AudioChannel{};
  if (!open_) return {AudioOperationFailed, "the audio device is not open"};
  if (sound < 0 || static_cast<std::size_t>(sound) >= sounds_.size()) {
    return {AudioNoSound, "no loaded sound has handle " + std::to_string(sound)};
  }
  if (group == AudioGroup::Master) group = AudioGroup::Sfx;
  const Sound& loaded = sounds_[static_cast<std::size_t>(sound)];
  if (loaded.Stream) return PlayStream(loaded, group, loop, channel);
  const int index = Mix_GroupAvailable(-1);
  if (index < 0 || index >= StreamSlot()) {
    return {AudioNoFreeChannel, "all " + std::to_string(StreamSlot()) + " channels are busy"};
  }
  Slot& slot = slots_[static_cast<std::size_t>(index)];
  slot.Group = group;
  slot.OwnPause = false;
  slot.Serial = nextSerial_++;
  if (nextSerial_ == 0) nextSerial_ = 1;  // 0 stays the serial of no play
  const bool startPaused = HeldByGroups(slot);
  // The mixer thread may run between starting and pausing; at volume 0 that
  // moment is inaudible, so a sound in a muted group never blips.
  if (startPaused) Mix_Volume(index, 0);
  const int played = Mix_PlayChannel(index, loaded.Chunk.get(), loop ? -1 : 0);
  if (startPaused) PauseMixerChannel(index);
  Mix_Volume(index, MIX_MAX_VOLUME);
  if (played < 0) return MixerError(AudioOperationFailed);
  channel = AudioChannel{index, slot.Serial};
  return {};
}

bool SdlMixerBackend::IsValid(AudioChannel channel) const {
  if (!open_ || channel.Index < 0 || static_cast<std::size_t>(channel.Index) >= slots_.size()) return false;
  return slots_[static_cast<std::size_t>(channel.Index)].Serial == channel.Serial && Sounding(channel.Index);
}

AudioResult SdlMixerBackend::Invalid(AudioChannel channel) const {
  if (channel.IsNull()) return {AudioInvalidHandle, "the channel handle is null"};
  return {AudioInvalidHandle, "channel " + std::to_string(channel.Index) + " (play " +
                                  std::to_string(channel.Serial) + ") has ended or was stopped"};
}

AudioResult SdlMixerBackend::SetChannelPaused(AudioChannel channel, bool paused) {
  if (!IsValid(channel)) return Invalid(channel);
  slots_[static_cast<std::size_t>(channel.Index)].OwnPause = paused;
  ApplyPause(channel.Index);
  return {};
}

AudioResult SdlMixerBackend::Stop(AudioChannel channel) {
  if (!IsValid(channel)) return Invalid(channel);
  if (channel.Index == StreamSlot()) {
    Mix_HaltMusic();
  } else {
    Mix_HaltChannel(channel.Index);
  }
  return {};
}

AudioResult SdlMixerBackend::SetGroupPaused(AudioGroup group, bool paused) {
  groupPaused_[static_cast<std::size_t>(group)] = paused;
  if (!open_) return {};
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    const int index = static_cast<int>(i);
    if (!Sounding(index)) continue;
    if (group == AudioGroup::Master || slots_[i].Group == group) ApplyPause(index);
  }
  return {};
}

AudioResult SdlMixerBackend::SetMasterVolume(float volume) {
  volume_ = std::clamp(volume, 0.0f, 1.0f);
  if (!open_) return {};
  Mix_MasterVolume(static_cast<int>(std::lround(volume_ * MIX_MAX_VOLUME)));
  ApplyStreamVolume();
  return {};
}

// The mixer runs on SDL's audio thread; there is nothing to pump per frame.
AudioResult SdlMixerBackend::Update() { return {}; }

int SdlMixerBackend::PlayingCount() const {
  if (!open_) return 0;
  int count = 0;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    const int index = static_cast<int>(i);
    if (Sounding(index) && !MixerPaused(index)) ++count;
  }
  return count;
}

bool SdlMixerBackend::IsPlaying(AudioChannel channel) const { return IsValid(channel); }

bool SdlMixerBackend::IsPaused(AudioChannel channel) const {
  return IsValid(channel) && MixerPaused(channel.Index);
}

}  // namespace Framework
