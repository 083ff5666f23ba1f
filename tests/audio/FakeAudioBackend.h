// FakeAudioBackend: an AudioBackend that records what it is asked for, for
// tests of the AudioSystem's own rules (list reading, version check, fallback).
// Every load succeeds, each with a new handle.
#pragma once

#include <string>
#include <vector>

#include "audio/AudioBackend.h"

namespace Framework {

class FakeAudioBackend : public AudioBackend {
 public:
  struct Record {
    std::vector<std::string> LoadedPaths;
    std::vector<AudioGroup> PlayedGroups;
  };

  // The record outlives the fake, since the AudioSystem owns and may drop it.
  explicit FakeAudioBackend(Record& record) : record_(record) {}

  int VersionNumber = PackAudioVersion(2, 6, 2);
  AudioResult OpenResult;

  int Version() const override { return VersionNumber; }
  AudioResult Open(int) override { return OpenResult; }
  void Close() override {}
  AudioResult Load(const std::string& path, SoundHandle& sound) override {
    record_.LoadedPaths.push_back(path);
    sound = nextSound_++;
    return {};
  }
  AudioResult Play(SoundHandle, AudioGroup group, bool, AudioChannel& channel) override {
    record_.PlayedGroups.push_back(group);
    channel = AudioChannel{0, ++serial_};
    return {};
  }
  AudioResult SetChannelPaused(AudioChannel, bool) override { return {}; }
  AudioResult Stop(AudioChannel) override { return {}; }
  AudioResult SetGroupPaused(AudioGroup, bool) override { return {}; }
  AudioResult SetMasterVolume(float volume) override {
    volume_ = volume;
    return {};
  }
  AudioResult Update() override { return {}; }
  int PlayingCount() const override { return 0; }
  bool IsPlaying(AudioChannel) const override { return false; }
  bool IsPaused(AudioChannel) const override { return false; }
  float MasterVolume() const override { return volume_; }

 private:
  Record& record_;
  SoundHandle nextSound_ = 100;
  std::uint32_t serial_ = 0;
  float volume_ = 1.0f;
};

}  // namespace Framework
