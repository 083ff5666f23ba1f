#include "audio/AudioSystem.h"

#include <iostream>

#include "audio/AudioListener.h"
#include "audio/NullAudioBackend.h"
#include "audio/SdlMixerBackend.h"
#include "engine/EventSystem.h"
#include "graphics/AssetIndex.h"

namespace Framework {

namespace {
std::string VersionText(int packed) {
  return std::to_string(packed / 10000) + "." + std::to_string(packed / 100 % 100) + "." +
         std::to_string(packed % 100);
}
}  // namespace

AudioSystem& AudioSystem::Instance() {
  static AudioSystem system;
  return system;
}

// Until Initialize opens a device every command is a quiet no-op.
AudioSystem::AudioSystem() : Sounds(8), backend_(std::make_unique<NullAudioBackend>()) {
  Sounds.max_load_factor(1.0f);
}

AudioSystem::~AudioSystem() { Shutdown(); }

void AudioSystem::Post(std::int32_t command, const std::string& soundName) {
  auto event = std::make_unique<AudioEvent>();
  event->Command = command;
  event->SoundName = soundName;
  EventSystem::Instance().Post(std::move(event));
}

void AudioSystem::SetBackend(std::unique_ptr<AudioBackend> backend) { pending_ = std::move(backend); }

void AudioSystem::Initialize() {
  Shutdown();
  std::unique_ptr<AudioBackend> candidate = pending_ ? std::move(pending_) : std::make_unique<SdlMixerBackend>();
  const int version = candidate->Version();
  if (version < MinimumVersion) {
    std::cerr << "SDL_mixer lib/header version mismatch! (linked " << VersionText(version) << ", need "
              << VersionText(MinimumVersion) << " or newer)\n";
  }
  AudioResult opened = candidate->Open(ChannelCount);
  if (opened.Ok()) {
    backend_ = std::move(candidate);
  } else {
    // A machine without a usable sound device still plays the game, in silence.
    std::cerr << "Audio device unavailable (" << opened.Details << "): the game runs without sound\n";
    backend_ = std::make_unique<NullAudioBackend>();
    backend_->Open(ChannelCount);
    silent_ = true;
  }
  LoadSoundList();
  listener_ = Listen<AudioListener>(this);
  SetMasterVolume(StartVolume);
  SfxPaused = MusicPaused = MenuPaused = MasterPaused = false;
}

void AudioSystem::Shutdown() {
  listener_.Reset();
  backend_->Close();
  backend_ = std::make_unique<NullAudioBackend>();
  Sounds.clear();
  ChannelsPlaying = 0;
  silent_ = false;
}

void AudioSystem::LoadSoundList() {
  for (const AssetIndexEntry& entry : AssetIndex::ReadFile(AssetKind::Sounds, std::cout)) {
    // An empty line asks for the folder itself, which the back end refuses like any bad file.
    SoundHandle sound = NoSound;
    const AudioResult loaded = backend_->Load(entry.Path, sound);
    if (!loaded.Ok()) {
      std::cout << entry.Path << ": cannot load the sound (" << loaded.Details << "), it stays silent\n";
    }
    // A repeated name replaces the earlier one; a sound that failed stays known, so
    // that playing it is quietly silent instead of reported at every play.
    Sounds[entry.Name] = sound;
  }
}

void AudioSystem::Update(float, bool) {
  CheckResult(backend_->Update());
  ChannelsPlaying = backend_->PlayingCount();
}

AudioChannel AudioSystem::PlaySound(const std::string& name, bool loop, AudioGroup group) {
  AudioChannel channel;
  auto it = Sounds.find(name);
  if (it == Sounds.end()) {
    CheckResult({AudioNoSound, "no sound named \"" + name + "\" was loaded from " + ListFile});
    return channel;
  }
  if (it->second == NoSound) return channel;  // its file could not be loaded: reported then
  CheckResult(backend_->Play(it->second, group, loop, channel));
  return channel;
}

void AudioSystem::SetMasterVolume(float volume) { CheckResult(backend_->SetMasterVolume(volume)); }

void AudioSystem::SetGroupPaused(AudioGroup group, bool paused, bool& flag) {
  CheckResult(backend_->SetGroupPaused(group, paused));
  flag = paused;
}

void AudioSystem::Execute(const AudioEvent& event) {
  switch (event.Command) {
    case AudioCommand::PlaySfx:
    case AudioCommand::PlayMusic:
    case AudioCommand::PlayMenu: {
      const auto group = static_cast<AudioGroup>(event.Command);
      const AudioChannel channel = PlaySound(event.SoundName, event.Loop, group);
      if (event.Callback) event.Callback(channel);
      break;
    }
    case AudioCommand::PauseChannel: CheckChannelResult(backend_->SetChannelPaused(event.Channel, true)); break;
    case AudioCommand::ResumeChannel: CheckChannelResult(backend_->SetChannelPaused(event.Channel, false)); break;
    case AudioCommand::StopChannel: CheckChannelResult(backend_->Stop(event.Channel)); break;
    case AudioCommand::PauseSfx: SetGroupPaused(AudioGroup::Sfx, true, SfxPaused); break;
    case AudioCommand::ResumeSfx: SetGroupPaused(AudioGroup::Sfx, false, SfxPaused); break;
    case AudioCommand::PauseMusic: SetGroupPaused(AudioGroup::Music, true, MusicPaused); break;
    case AudioCommand::ResumeMusic: SetGroupPaused(AudioGroup::Music, false, MusicPaused); break;
    case AudioCommand::PauseMenu: SetGroupPaused(AudioGroup::Menu, true, MenuPaused); break;
    case AudioCommand::ResumeMenu: SetGroupPaused(AudioGroup::Menu, false, MenuPaused); break;
    case AudioCommand::PauseMaster: SetGroupPaused(AudioGroup::Master, true, MasterPaused); break;
    case AudioCommand::ResumeMaster: SetGroupPaused(AudioGroup::Master, false, MasterPaused); break;
    case AudioCommand::SetVolume: SetMasterVolume(event.Volume); break;
    default: break;  // not a command
  }
}

void AudioSystem::CheckResult(const AudioResult& result) {
  if (result.Ok()) return;
  std::cerr << "Audio error detected : " << result.Code << "\n"
            << "Details : " << result.Details << "\n";
}

void AudioSystem::CheckChannelResult(const AudioResult& result) {
  if (result.Code != AudioInvalidHandle) {
    CheckResult(result);
    return;
  }
  std::cerr << "Audio system encountered invalid channel : " << result.Code << "\n"
            << "Details : " << result.Details << "\n";
}

}  // namespace Framework
