// The AudioSystem through its events, on SDL_mixer with SDL's dummy driver and
// the game's generated sounds; list-file and start-up rules also with a fake back end.
#include "audio/AudioSystem.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "audio/FakeAudioBackend.h"
#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "support/Capture.h"
#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Whether `done` came true within a generous time: the mixer plays on SDL's own
// thread in real time, and a loaded machine may be slow to get there.
template <class Condition>
bool Eventually(Condition done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

// A working directory of the test's own whose "Audio/" folder holds a list file of the
// test's choosing (none when null) and, on request, copies of the game's generated sounds.
class AudioFolder {
 public:
  explicit AudioFolder(const char* listText, const std::vector<std::string>& copiedSounds = {}) {
    std::filesystem::create_directories(folder_.Path / "Audio");
    for (const std::string& name : copiedSounds) {
      std::filesystem::copy_file(std::filesystem::path(TUMBRIX_GAME_DIR) / "Audio" / name, folder_.Path / "Audio" / name);
    }
    if (listText) WriteFileText(folder_.Path / "Audio" / "00_list_file.txt", listText);
  }

 private:
  TempFolder folder_{"tumbrix-audio"};
  WorkingDirectory inside_{folder_.Path};
};

class AudioSystemTest : public ::testing::Test {
 protected:
  void TearDown() override { audio.Shutdown(); }

  // Sends one AudioEvent through the EventSystem, as the game's senders do, and
  // returns the channel handed to its callback, if the callback was called.
  std::optional<AudioChannel> SendCommand(int command, const std::string& name = "", bool loop = false,
                                          AudioChannel channel = {}, float volume = 0.0f) {
    AudioEvent event;
    event.Command = command;
    event.SoundName = name;
    event.Loop = loop;
    event.Channel = channel;
    event.Volume = volume;
    std::optional<AudioChannel> played;
    event.Callback = [&played](AudioChannel c) { played = c; };
    EventSystem::Instance().Send(event);
    return played;
  }
  AudioChannel Play(int command, const std::string& name, bool loop = false) {
    return SendCommand(command, name, loop).value_or(AudioChannel{});
  }
  void OnChannel(int command, AudioChannel channel) { SendCommand(command, "", false, channel); }
  int Playing() {
    audio.Update(0.016f, false);
    return audio.ChannelsPlaying;
  }
  void UseFake(FakeAudioBackend::Record& record, int version = PackAudioVersion(2, 6, 2), AudioResult open = {}) {
    auto fake = std::make_unique<FakeAudioBackend>(record);
    fake->VersionNumber = version;
    fake->OpenResult = open;
    audio.SetBackend(std::move(fake));
  }

  AudioSystem& audio = AudioSystem::Instance();
};

TEST_F(AudioSystemTest, StartsQuietlyWithEverySoundAndTheStartVolumeOnce) {
  EXPECT_EQ(StderrOf([&] { audio.Initialize(); }), "");
  EXPECT_FALSE(audio.IsSilent());
  for (const char* name : {"throw.ogg", "beep.ogg", "push.ogg", "crash.ogg", "winlevel.ogg", "MenuOnClick.ogg",
                           "MenuHoverOver.ogg", "bgm_looped.ogg"}) {
    EXPECT_TRUE(audio.Sounds.contains(name)) << name;
  }
  EXPECT_EQ(audio.Sounds.size(), 8u);
  EXPECT_EQ(Mix_MasterVolume(-1), 38);  // 0.3 of SDL_mixer's 128
  EXPECT_EQ(EventSystem::Instance().ListenerCount(EventType::Audio), 1u);

  // Starting again (a restart, or a test) neither doubles the listener nor the sounds.
  audio.Initialize();
  EXPECT_EQ(EventSystem::Instance().ListenerCount(EventType::Audio), 1u);
  EXPECT_EQ(audio.Sounds.size(), 8u);
  audio.Shutdown();
  EXPECT_EQ(EventSystem::Instance().ListenerCount(EventType::Audio), 0u);
}

// Pausing a group holds only its channels (paused channels do not count as playing),
// a sound started in a paused group waits for it, the master pause holds everything
// and its resume keeps a group the player muted muted, and a channel paused by
// itself stays paused through its group's resume.
TEST_F(AudioSystemTest, PausesHoldTheirOwnGroupOrChannelAndResumesKeepOtherPauses) {
  audio.Initialize();
  const AudioChannel music = Play(AudioCommand::PlayMusic, "bgm_looped.ogg", true);
  const AudioChannel effect = Play(AudioCommand::PlaySfx, "throw.ogg", true);
  const AudioChannel click = Play(AudioCommand::PlayMenu, "MenuOnClick.ogg", true);
  ASSERT_FALSE(music.IsNull() || effect.IsNull() || click.IsNull());
  EXPECT_EQ(Playing(), 3);
  SendCommand(AudioCommand::PauseMusic);
  EXPECT_TRUE(audio.Backend().IsPaused(music));
  EXPECT_TRUE(audio.Backend().IsPlaying(music));  // held, not ended
  EXPECT_FALSE(audio.Backend().IsPaused(effect) || audio.Backend().IsPaused(click));
  EXPECT_EQ(Playing(), 2);
  SendCommand(AudioCommand::ResumeMusic);
  EXPECT_FALSE(audio.Backend().IsPaused(music));
  EXPECT_EQ(Playing(), 3);

  SendCommand(AudioCommand::PauseMenu);
  const AudioChannel laterClick = Play(AudioCommand::PlayMenu, "MenuOnClick.ogg", true);
  const AudioChannel laterEffect = Play(AudioCommand::PlaySfx, "beep.ogg", true);
  EXPECT_TRUE(audio.Backend().IsPaused(laterClick));
  EXPECT_FALSE(audio.Backend().IsPaused(laterEffect));
  SendCommand(AudioCommand::ResumeMenu);
  EXPECT_FALSE(audio.Backend().IsPaused(laterClick));

  SendCommand(AudioCommand::PauseMusic);  // the player muted the music
  SendCommand(AudioCommand::PauseMaster);  // then everything
  EXPECT_TRUE(audio.Backend().IsPaused(effect) && audio.Backend().IsPaused(music));
  EXPECT_EQ(Playing(), 0);
  SendCommand(AudioCommand::ResumeMaster);
  EXPECT_FALSE(audio.Backend().IsPaused(effect));
  EXPECT_TRUE(audio.Backend().IsPaused(music));

  OnChannel(AudioCommand::PauseChannel, effect);
  EXPECT_TRUE(audio.Backend().IsPaused(effect));
  SendCommand(AudioCommand::PauseSfx);
  SendCommand(AudioCommand::ResumeSfx);
  EXPECT_TRUE(audio.Backend().IsPaused(effect));
  OnChannel(AudioCommand::ResumeChannel, effect);
  EXPECT_FALSE(audio.Backend().IsPaused(effect));
  OnChannel(AudioCommand::StopChannel, effect);
  EXPECT_FALSE(audio.Backend().IsPlaying(effect));
}

TEST_F(AudioSystemTest, OnlyThePlayThatAsksForLoopingLoops) {
  audio.Initialize();
  // The shortest sound, so the unlooped play ends quickly.
  const AudioChannel looped = Play(AudioCommand::PlaySfx, "MenuHoverOver.ogg", true);
  const AudioChannel once = Play(AudioCommand::PlaySfx, "MenuHoverOver.ogg", false);
  ASSERT_FALSE(looped.IsNull() || once.IsNull());
  EXPECT_NE(looped, once);
  EXPECT_TRUE(Eventually([&] { return !audio.Backend().IsPlaying(once); })) << "a 50 ms sound never ended";
  EXPECT_TRUE(audio.Backend().IsPlaying(looped));
  EXPECT_EQ(Playing(), 1);
}

TEST_F(AudioSystemTest, StaleChannelsAndUnknownSoundsAreReportedAndTouchNothingElse) {
  audio.Initialize();
  const AudioChannel first = Play(AudioCommand::PlaySfx, "throw.ogg", true);
  OnChannel(AudioCommand::StopChannel, first);
  ASSERT_FALSE(audio.Backend().IsPlaying(first));
  // The next play may reuse the same mixer channel; the old handle must not reach it.
  const AudioChannel second = Play(AudioCommand::PlaySfx, "throw.ogg", true);
  ASSERT_TRUE(audio.Backend().IsPlaying(second));

  const std::string errors = StderrOf([&] {
    for (int command : {AudioCommand::PauseChannel, AudioCommand::ResumeChannel, AudioCommand::StopChannel}) {
      OnChannel(command, first);
    }
    OnChannel(AudioCommand::StopChannel, AudioChannel{});
    OnChannel(AudioCommand::PauseChannel, AudioChannel{9999, 1});
  });
  EXPECT_EQ(CountOf(errors, "Audio system encountered invalid channel : 30\nDetails : "), 5) << errors;
  EXPECT_EQ(CountOf(errors, "\n"), 10) << "two lines per report";
  EXPECT_TRUE(audio.Backend().IsPlaying(second));
  EXPECT_FALSE(audio.Backend().IsPaused(second));

  // An unknown sound is reported in two lines too, and play goes on.
  std::optional<AudioChannel> missing;
  const std::string unknown = StderrOf([&] { missing = SendCommand(AudioCommand::PlaySfx, "kaboom.ogg"); });
  ASSERT_TRUE(missing.has_value()) << "the callback still hears about the play";
  EXPECT_TRUE(missing->IsNull());
  EXPECT_THAT(unknown, StartsWith("Audio error detected : 3\nDetails : "));
  EXPECT_THAT(unknown, HasSubstr("kaboom.ogg"));
  EXPECT_EQ(CountOf(unknown, "\n"), 2);
  EXPECT_TRUE(audio.Backend().IsPlaying(Play(AudioCommand::PlaySfx, "beep.ogg")));
}

TEST_F(AudioSystemTest, NumbersOutsideTheCommandTableDoNothing) {
  audio.Initialize();
  SendCommand(AudioCommand::PauseMusic);
  const std::string errors = StderrOf([&] {
    for (int command : {static_cast<int>(AudioCommand::None), -1, 99}) {
      EXPECT_FALSE(SendCommand(command, "beep.ogg", true, AudioChannel{}, 0.9f).has_value()) << command;
    }
    AudioEvent untouched;  // the constructor's own default command
    EventSystem::Instance().Send(untouched);
  });
  EXPECT_EQ(errors, "");
  EXPECT_EQ(Playing(), 0);
  EXPECT_TRUE(audio.MusicPaused);
  EXPECT_FALSE(audio.SfxPaused || audio.MenuPaused || audio.MasterPaused);
  EXPECT_FLOAT_EQ(audio.Backend().MasterVolume(), AudioSystem::StartVolume);
}

TEST_F(AudioSystemTest, VolumeCommandAndDirectCallSetTheMasterVolumeWithinItsRange) {
  audio.Initialize();
  SendCommand(AudioCommand::SetVolume, "", false, {}, 0.75f);
  EXPECT_FLOAT_EQ(audio.Backend().MasterVolume(), 0.75f);
  EXPECT_EQ(Mix_MasterVolume(-1), 96);
  audio.SetMasterVolume(3.0f);
  EXPECT_EQ(Mix_MasterVolume(-1), 128);
  audio.SetMasterVolume(-1.0f);
  EXPECT_EQ(Mix_MasterVolume(-1), 0);
}

TEST_F(AudioSystemTest, ShuttingDownAfterSdlHasQuitIsHarmless) {
  audio.Initialize();
  Play(AudioCommand::PlayMusic, "bgm_looped.ogg", true);
  SDL_Quit();  // what a window system's teardown may do before the audio system goes
  audio.Shutdown();
  EXPECT_TRUE(audio.Sounds.empty());
  EXPECT_EQ(Playing(), 0);
}

// --- The list file ---

TEST_F(AudioSystemTest, SoundsThatCannotBeLoadedAreNamedOnceAndPlayAsSilence) {
  // An empty line asks for the folder itself; one file is missing, one is not a sound.
  AudioFolder folder("beep.ogg\n\nmissing.ogg\nbroken.ogg\nthrow.ogg\n", {"beep.ogg", "throw.ogg"});
  WriteFileText("Audio/broken.ogg", "OggS but not really");
  std::string errors;
  const std::string out = StdoutOf([&] { errors = StderrOf([&] { audio.Initialize(); }); });
  for (const char* path : {"Audio/:", "Audio/missing.ogg:", "Audio/broken.ogg:"}) {
    EXPECT_EQ(CountOf(out, std::string("\n") + path) + (out.rfind(path, 0) == 0), 1) << path << " in:\n" << out;
  }
  EXPECT_EQ(CountOf(out, "cannot load the sound"), 3) << out;
  EXPECT_EQ(CountOf(out, "\n"), 3) << "one line each:\n" << out;
  EXPECT_EQ(errors, "");
  EXPECT_TRUE(audio.Backend().IsPlaying(Play(AudioCommand::PlaySfx, "throw.ogg")));
  // Playing a sound that failed to load is quietly silent; the game goes on.
  std::optional<AudioChannel> silent;
  EXPECT_EQ(StderrOf([&] { silent = SendCommand(AudioCommand::PlaySfx, "broken.ogg"); }), "");
  ASSERT_TRUE(silent.has_value());
  EXPECT_FALSE(audio.Backend().IsPlaying(*silent));

  FakeAudioBackend::Record record;
  UseFake(record);
  StdoutOf([&] { audio.Initialize(); });
  EXPECT_THAT(record.LoadedPaths,
              ElementsAre("Audio/beep.ogg", "Audio/", "Audio/missing.ogg", "Audio/broken.ogg", "Audio/throw.ogg"));
}

// How list lines are read is AssetIndexTest's; here, what the audio system does with them.
TEST_F(AudioSystemTest, ARepeatedNameIsLoadedAgainAndReplacesAndAMissingListLeavesAWorkingSystem) {
  {
    AudioFolder folder("a.ogg\r\nb.ogg\na.ogg\n");
    FakeAudioBackend::Record record;
    UseFake(record);
    audio.Initialize();
    EXPECT_THAT(record.LoadedPaths, ElementsAre("Audio/a.ogg", "Audio/b.ogg", "Audio/a.ogg"));
    ASSERT_EQ(audio.Sounds.size(), 2u);
    EXPECT_EQ(audio.Sounds.at("a.ogg"), audio.Sounds.at("b.ogg") + 1) << "the later load wins";
  }
  AudioFolder empty(nullptr);
  EXPECT_THAT(StdoutOf([&] { audio.Initialize(); }), HasSubstr("Audio/00_list_file.txt: cannot open the index file"));
  EXPECT_TRUE(audio.Sounds.empty());
  SendCommand(AudioCommand::PauseMaster);
  EXPECT_TRUE(audio.MasterPaused);
}

// --- Start-up without a device, and with an old library ---

TEST_F(AudioSystemTest, WithoutADeviceTheGameRunsSilentlyAndKeepsItsFlags) {
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  const std::string startup = StderrOf([&] { audio.Initialize(); });
  EXPECT_THAT(startup, StartsWith("Audio device unavailable ("));
  EXPECT_EQ(CountOf(startup, "\n"), 1) << startup;
  EXPECT_TRUE(audio.IsSilent());
  EXPECT_EQ(audio.Sounds.size(), 8u) << "the names stay known";

  std::optional<AudioChannel> music;
  const std::string errors = StderrOf([&] {
    music = SendCommand(AudioCommand::PlayMusic, "bgm_looped.ogg", true);
    for (int command = AudioCommand::PauseChannel; command <= AudioCommand::ResumeMaster; ++command) {
      OnChannel(command, music.value_or(AudioChannel{}));
    }
    SendCommand(AudioCommand::PauseMusic);
    SendCommand(AudioCommand::PauseMaster);
    SendCommand(AudioCommand::SetVolume, "", false, {}, 0.5f);
  });
  EXPECT_EQ(errors, "");
  ASSERT_TRUE(music.has_value());
  EXPECT_TRUE(music->IsNull());
  EXPECT_TRUE(audio.MusicPaused);
  EXPECT_TRUE(audio.MasterPaused);
  EXPECT_FALSE(audio.SfxPaused);
  EXPECT_EQ(Playing(), 0);
  EXPECT_FLOAT_EQ(audio.Backend().MasterVolume(), 0.5f);

  // Once a device is there again, the next start-up uses it.
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  audio.Initialize();
  EXPECT_FALSE(audio.IsSilent());
}

// An older mixer is reported and start-up goes on; a back end that cannot open is
// dropped for silence.
TEST_F(AudioSystemTest, AnOlderMixerIsReportedAndABackEndThatCannotOpenGivesSilence) {
  FakeAudioBackend::Record older;
  UseFake(older, PackAudioVersion(2, 0, 4));
  EXPECT_EQ(StderrOf([&] { audio.Initialize(); }),
            "SDL_mixer lib/header version mismatch! (linked 2.0.4, need 2.6.0 or newer)\n");
  EXPECT_FALSE(audio.IsSilent());
  EXPECT_EQ(older.LoadedPaths.size(), 8u);

  FakeAudioBackend::Record record;
  UseFake(record, PackAudioVersion(2, 6, 2), {AudioDeviceFailed, "device busy"});
  EXPECT_EQ(StderrOf([&] { audio.Initialize(); }),
            "Audio device unavailable (device busy): the game runs without sound\n");
  EXPECT_TRUE(audio.IsSilent());
  EXPECT_TRUE(record.LoadedPaths.empty()) << "nothing is loaded through a device that failed";
  SendCommand(AudioCommand::PlaySfx, "beep.ogg");
  EXPECT_TRUE(record.PlayedGroups.empty());
}

}  // namespace
}  // namespace Framework
