#include "audio/AudioSystem.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "audio/AudioListener.h"
#include "audio/NullAudioBackend.h"
#include "audio/SdlMixerBackend.h"

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
  std::ifstream file(ListFile, std::ios::binary);
  if (!file) {
    std::cout << ListFile << ": cannot be opened; no sounds loaded" << std::endl;
    return;
  }
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::size_t start = 0;
  int lineNumber = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    ++lineNumber;
    std::string name = text.substr(start, end - start);
    start = end + 1;
    // A list saved with Windows line ends names the same files.
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (name.size() > MaxNameLength) {
      std::cout << ListFile << ": line " << lineNumber << " is longer than " << MaxNameLength
                << " characters; skipped" << std::endl;
      continue;
    }
    // An empty line asks for the folder itself; the back end's refusal is reported like any other.
    SoundHandle sound = NoSound;
    const AudioResult loaded = backend_->Load(Folder + name, sound);
    CheckResult(loaded);
    if (loaded.Ok()) Sounds[name] = sound;  // a repeated name replaces the earlier one
  }
  if (start < text.size()) {
    std::cout << ListFile << ": the last name \"" << text.substr(start)
              << "\" has no line break after it; not loaded" << std::endl;
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
