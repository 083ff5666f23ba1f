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
#include "audio/ScopedAudioFolder.h"
#include "engine/EventSystem.h"

namespace Framework {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

int CountOf(const std::string& text, const std::string& piece) {
  int count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

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
  int Playing() {
    audio.Update(0.016f, false);
    return audio.ChannelsPlaying;
  }

  AudioSystem& audio = AudioSystem::Instance();
};

TEST_F(AudioSystemTest, StartsWithEverySoundTheSilentFlagsAndTheStartVolume) {
  testing::internal::CaptureStderr();
  audio.Initialize();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(audio.IsSilent());
  for (const char* name : {"throw.ogg", "beep.ogg", "push.ogg", "crash.ogg", "winlevel.ogg", "MenuOnClick.ogg",
                           "MenuHoverOver.ogg", "bgm_looped.ogg"}) {
    EXPECT_TRUE(audio.Sounds.contains(name)) << name;
  }
  EXPECT_EQ(audio.Sounds.size(), 8u);
  EXPECT_FALSE(audio.SfxPaused || audio.MusicPaused || audio.MenuPaused || audio.MasterPaused);
  EXPECT_FLOAT_EQ(audio.Backend().MasterVolume(), 0.3f);
  EXPECT_EQ(Mix_MasterVolume(-1), 38);  // 0.3 of SDL_mixer's 128
  EXPECT_EQ(EventSystem::Instance().ListenerCount(EventType::Audio), 1u);

  // Starting again (a restart, or a test) neither doubles the listener nor the sounds.
  audio.Initialize();
  EXPECT_EQ(EventSystem::Instance().ListenerCount(EventType::Audio), 1u);
  EXPECT_EQ(audio.Sounds.size(), 8u);
  audio.Shutdown();
  EXPECT_EQ(EventSystem::Instance().ListenerCount(EventType::Audio), 0u);
}

TEST_F(AudioSystemTest, MusicPauseAndResumeLeaveTheOtherGroupsAlone) {
  audio.Initialize();
  const AudioChannel music = Play(1, "bgm_looped.ogg", true);
  const AudioChannel effect = Play(0, "throw.ogg", true);
  const AudioChannel click = Play(2, "MenuOnClick.ogg", true);
  ASSERT_FALSE(music.IsNull() || effect.IsNull() || click.IsNull());
  EXPECT_EQ(Playing(), 3);

  SendCommand(8);
  EXPECT_TRUE(audio.MusicPaused);
  EXPECT_FALSE(audio.SfxPaused || audio.MenuPaused || audio.MasterPaused);
  EXPECT_TRUE(audio.Backend().IsPaused(music));
  EXPECT_TRUE(audio.Backend().IsPlaying(music));  // held, not ended
  EXPECT_FALSE(audio.Backend().IsPaused(effect));
  EXPECT_FALSE(audio.Backend().IsPaused(click));
  EXPECT_EQ(Playing(), 2);  // a paused channel does not count

  SendCommand(9);
  EXPECT_FALSE(audio.MusicPaused);
  EXPECT_FALSE(audio.Backend().IsPaused(music));
  EXPECT_EQ(Playing(), 3);
}

TEST_F(AudioSystemTest, EachGroupCommandPairSetsAndClearsOnlyItsOwnFlag) {
  audio.Initialize();
  struct Pair {
    int pause;
    bool AudioSystem::*flag;
  };
  const Pair pairs[] = {{6, &AudioSystem::SfxPaused},
                        {8, &AudioSystem::MusicPaused},
                        {10, &AudioSystem::MenuPaused},
                        {12, &AudioSystem::MasterPaused}};
  for (const Pair& pair : pairs) {
    SendCommand(pair.pause);
    for (const Pair& other : pairs) EXPECT_EQ(audio.*other.flag, other.flag == pair.flag) << pair.pause;
    SendCommand(pair.pause + 1);
    for (const Pair& other : pairs) EXPECT_FALSE(audio.*other.flag) << pair.pause + 1;
  }
}

TEST_F(AudioSystemTest, SoundsStartedInAPausedGroupWaitForTheirGroup) {
  audio.Initialize();
  SendCommand(10);
  const AudioChannel click = Play(2, "MenuOnClick.ogg", true);
  const AudioChannel effect = Play(0, "beep.ogg", true);
  EXPECT_TRUE(audio.Backend().IsPaused(click));
  EXPECT_FALSE(audio.Backend().IsPaused(effect));
  SendCommand(11);
  EXPECT_FALSE(audio.Backend().IsPaused(click));
  EXPECT_EQ(Playing(), 2);
}

TEST_F(AudioSystemTest, MasterPauseHoldsEverythingAndItsResumeKeepsAMutedGroupMuted) {
  audio.Initialize();
  const AudioChannel music = Play(1, "bgm_looped.ogg", true);
  const AudioChannel effect = Play(0, "push.ogg", true);
  SendCommand(8);   // the player muted the music
  SendCommand(12);  // then everything
  EXPECT_TRUE(audio.Backend().IsPaused(effect));
  EXPECT_TRUE(audio.Backend().IsPaused(music));
  EXPECT_EQ(Playing(), 0);
  SendCommand(13);
  EXPECT_FALSE(audio.Backend().IsPaused(effect));
  EXPECT_TRUE(audio.Backend().IsPaused(music));
  EXPECT_TRUE(audio.MusicPaused);
  EXPECT_FALSE(audio.MasterPaused);
}

TEST_F(AudioSystemTest, AChannelPausedByItselfStaysPausedThroughItsGroupsResume) {
  audio.Initialize();
  const AudioChannel effect = Play(0, "crash.ogg", true);
  SendCommand(3, "", false, effect);
  EXPECT_TRUE(audio.Backend().IsPaused(effect));
  SendCommand(6);
  SendCommand(7);
  EXPECT_TRUE(audio.Backend().IsPaused(effect));
  SendCommand(4, "", false, effect);
  EXPECT_FALSE(audio.Backend().IsPaused(effect));
  SendCommand(5, "", false, effect);
  EXPECT_FALSE(audio.Backend().IsPlaying(effect));
}

TEST_F(AudioSystemTest, OnlyThePlayThatAsksForLoopingLoops) {
  audio.Initialize();
  // The shortest sound, so the unlooped play ends quickly.
  const AudioChannel looped = Play(0, "MenuHoverOver.ogg", true);
  const AudioChannel once = Play(0, "MenuHoverOver.ogg", false);
  ASSERT_FALSE(looped.IsNull() || once.IsNull());
  EXPECT_NE(looped, once);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (audio.Backend().IsPlaying(once) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(audio.Backend().IsPlaying(once)) << "a 50 ms sound played for over 5 s";
  EXPECT_TRUE(audio.Backend().IsPlaying(looped));
  EXPECT_EQ(Playing(), 1);

  // The music as the game starts it, then an effect right after: only the music loops.
  const AudioChannel music = Play(1, "bgm_looped.ogg", true);
  const AudioChannel hover = Play(0, "MenuHoverOver.ogg", false);
  while (audio.Backend().IsPlaying(hover) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(audio.Backend().IsPlaying(hover));
  EXPECT_TRUE(audio.Backend().IsPlaying(music));
}

TEST_F(AudioSystemTest, CommandsOnAStaleOrNullChannelReportItAndTouchNothingElse) {
  audio.Initialize();
  const AudioChannel first = Play(0, "throw.ogg", true);
  SendCommand(5, "", false, first);
  ASSERT_FALSE(audio.Backend().IsPlaying(first));
  // The next play may reuse the same mixer channel; the old handle must not reach it.
  const AudioChannel second = Play(0, "throw.ogg", true);
  ASSERT_TRUE(audio.Backend().IsPlaying(second));

  testing::internal::CaptureStderr();
  SendCommand(3, "", false, first);
  SendCommand(4, "", false, first);
  SendCommand(5, "", false, first);
  SendCommand(5, "", false, AudioChannel{});
  SendCommand(3, "", false, AudioChannel{9999, 1});
  const std::string errors = testing::internal::GetCapturedStderr();

  EXPECT_EQ(CountOf(errors, "Audio system encountered invalid channel : 30\nDetails : "), 5) << errors;
  EXPECT_EQ(CountOf(errors, "\n"), 10) << "two lines per report";
  EXPECT_TRUE(audio.Backend().IsPlaying(second));
  EXPECT_FALSE(audio.Backend().IsPaused(second));
}

TEST_F(AudioSystemTest, AnUnknownSoundIsReportedAndPlayGoesOn) {
  audio.Initialize();
  testing::internal::CaptureStderr();
  const std::optional<AudioChannel> missing = SendCommand(0, "kaboom.ogg");
  const std::string errors = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(missing.has_value()) << "the callback still hears about the play";
  EXPECT_TRUE(missing->IsNull());
  EXPECT_THAT(errors, StartsWith("Audio error detected : 3\nDetails : "));
  EXPECT_THAT(errors, HasSubstr("kaboom.ogg"));
  EXPECT_EQ(CountOf(errors, "\n"), 2);

  const AudioChannel beep = Play(0, "beep.ogg");
  EXPECT_TRUE(audio.Backend().IsPlaying(beep));
}

TEST_F(AudioSystemTest, NumbersOutsideTheCommandTableDoNothing) {
  audio.Initialize();
  SendCommand(8);
  testing::internal::CaptureStderr();
  for (int command : {15, -1, 99}) {
    const std::optional<AudioChannel> played = SendCommand(command, "beep.ogg", true, AudioChannel{}, 0.9f);
    EXPECT_FALSE(played.has_value()) << command;
  }
  AudioEvent untouched;  // the constructor's own default command
  EventSystem::Instance().Send(untouched);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(Playing(), 0);
  EXPECT_TRUE(audio.MusicPaused);
  EXPECT_FALSE(audio.SfxPaused || audio.MenuPaused || audio.MasterPaused);
  EXPECT_FLOAT_EQ(audio.Backend().MasterVolume(), 0.3f);
}

TEST_F(AudioSystemTest, VolumeCommandAndDirectCallSetTheMasterVolume) {
  audio.Initialize();
  SendCommand(14, "", false, {}, 0.75f);
  EXPECT_FLOAT_EQ(audio.Backend().MasterVolume(), 0.75f);
  EXPECT_EQ(Mix_MasterVolume(-1), 96);
  audio.SetMasterVolume(3.0f);
  EXPECT_EQ(Mix_MasterVolume(-1), 128);
  audio.SetMasterVolume(-1.0f);
  EXPECT_EQ(Mix_MasterVolume(-1), 0);
}

TEST_F(AudioSystemTest, PostedEventsPlayWhenTheEventSystemDeliversThem) {
  audio.Initialize();
  auto event = std::make_unique<AudioEvent>();
  event->Command = 0;
  event->SoundName = "push.ogg";
  AudioChannel channel;
  event->Callback = [&channel](AudioChannel c) { channel = c; };
  EventSystem::Instance().Post(std::move(event));
  EXPECT_TRUE(channel.IsNull());
  EventSystem::Instance().Update(0.016f, false);
  EXPECT_TRUE(audio.Backend().IsPlaying(channel));
}

TEST_F(AudioSystemTest, ShuttingDownAfterSdlHasQuitIsHarmless) {
  audio.Initialize();
  Play(1, "bgm_looped.ogg", true);
  SDL_Quit();  // what a window system's teardown may do before the audio system goes
  audio.Shutdown();
  EXPECT_TRUE(audio.Sounds.empty());
  EXPECT_EQ(Playing(), 0);
}

// --- The list file ---

TEST_F(AudioSystemTest, ALastNameWithoutALineBreakIsNotLoaded) {
  ScopedAudioFolder folder("a.ogg\nb.ogg\nc.ogg");
  FakeAudioBackend::Record record;
  audio.SetBackend(std::make_unique<FakeAudioBackend>(record));
  testing::internal::CaptureStdout();
  audio.Initialize();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_THAT(record.LoadedPaths, ElementsAre("Audio/a.ogg", "Audio/b.ogg"));
  EXPECT_TRUE(audio.Sounds.contains("b.ogg"));
  EXPECT_FALSE(audio.Sounds.contains("c.ogg"));
  EXPECT_THAT(out, HasSubstr("Audio/00_list_file.txt"));
  EXPECT_THAT(out, HasSubstr("\"c.ogg\""));
}

TEST_F(AudioSystemTest, AnEmptyMiddleLineAsksForTheFolderAndIsReported) {
  ScopedAudioFolder folder("beep.ogg\n\nthrow.ogg\n", {"beep.ogg", "throw.ogg"});
  testing::internal::CaptureStderr();
  audio.Initialize();
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_THAT(errors, StartsWith("Audio error detected : 2\nDetails : "));
  EXPECT_EQ(CountOf(errors, "\n"), 2) << errors;
  EXPECT_GT(errors.size(), std::string("Audio error detected : 2\nDetails : \n").size()) << "SDL_mixer's words";
  EXPECT_TRUE(audio.Sounds.contains("beep.ogg"));
  EXPECT_TRUE(audio.Sounds.contains("throw.ogg"));
  EXPECT_FALSE(audio.Sounds.contains(""));
  EXPECT_TRUE(audio.Backend().IsPlaying(Play(0, "throw.ogg")));

  FakeAudioBackend::Record record;
  audio.SetBackend(std::make_unique<FakeAudioBackend>(record));
  testing::internal::CaptureStderr();
  audio.Initialize();
  testing::internal::GetCapturedStderr();
  EXPECT_THAT(record.LoadedPaths, ElementsAre("Audio/beep.ogg", "Audio/", "Audio/throw.ogg"));
}

TEST_F(AudioSystemTest, ListLinesAreTrimmedOfCarriageReturnsLongOnesSkippedAndRepeatsReplace) {
  const std::string longName(80, 'x');
  const std::string list = "a.ogg\r\n" + longName + "\nb.ogg\na.ogg\n";
  ScopedAudioFolder folder(list.c_str());
  FakeAudioBackend::Record record;
  audio.SetBackend(std::make_unique<FakeAudioBackend>(record));
  testing::internal::CaptureStdout();
  audio.Initialize();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_THAT(record.LoadedPaths, ElementsAre("Audio/a.ogg", "Audio/b.ogg", "Audio/a.ogg"));
  EXPECT_THAT(out, HasSubstr("line 2 is longer than 79 characters"));
  ASSERT_EQ(audio.Sounds.size(), 2u);
  EXPECT_EQ(audio.Sounds.at("a.ogg"), audio.Sounds.at("b.ogg") + 1) << "the later load wins";
}

TEST_F(AudioSystemTest, AMissingListFileIsReportedAndTheSystemStillWorks) {
  ScopedAudioFolder folder(nullptr);
  testing::internal::CaptureStdout();
  audio.Initialize();
  EXPECT_THAT(testing::internal::GetCapturedStdout(), HasSubstr("Audio/00_list_file.txt: cannot be opened"));
  EXPECT_TRUE(audio.Sounds.empty());
  SendCommand(12);
  EXPECT_TRUE(audio.MasterPaused);
}

// --- Start-up without a device, and with an old library ---

TEST_F(AudioSystemTest, WithoutADeviceTheGameRunsSilentlyAndKeepsItsFlags) {
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  testing::internal::CaptureStderr();
  audio.Initialize();
  const std::string startup = testing::internal::GetCapturedStderr();
  EXPECT_THAT(startup, StartsWith("Audio device unavailable ("));
  EXPECT_EQ(CountOf(startup, "\n"), 1) << startup;
  EXPECT_TRUE(audio.IsSilent());
  EXPECT_EQ(audio.Sounds.size(), 8u) << "the names stay known";

  testing::internal::CaptureStderr();
  const std::optional<AudioChannel> music = SendCommand(1, "bgm_looped.ogg", true);
  for (int command = 3; command <= 13; ++command) SendCommand(command, "", false, music.value_or(AudioChannel{}));
  SendCommand(8);
  SendCommand(12);
  SendCommand(14, "", false, {}, 0.5f);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
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

TEST_F(AudioSystemTest, AnOlderMixerIsReportedAndStartUpGoesOn) {
  FakeAudioBackend::Record record;
  auto fake = std::make_unique<FakeAudioBackend>(record);
  fake->VersionNumber = PackAudioVersion(2, 0, 4);
  audio.SetBackend(std::move(fake));
  testing::internal::CaptureStderr();
  audio.Initialize();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "SDL_mixer lib/header version mismatch! (linked 2.0.4, need 2.6.0 or newer)\n");
  EXPECT_FALSE(audio.IsSilent());
  EXPECT_EQ(record.LoadedPaths.size(), 8u);
}

TEST_F(AudioSystemTest, ABackEndThatCannotOpenIsDroppedForSilence) {
  FakeAudioBackend::Record record;
  auto fake = std::make_unique<FakeAudioBackend>(record);
  fake->OpenResult = {AudioDeviceFailed, "device busy"};
  audio.SetBackend(std::move(fake));
  testing::internal::CaptureStderr();
  audio.Initialize();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Audio device unavailable (device busy): the game runs without sound\n");
  EXPECT_TRUE(audio.IsSilent());
  EXPECT_TRUE(record.LoadedPaths.empty()) << "nothing is loaded through a device that failed";
  SendCommand(0, "beep.ogg");
  EXPECT_TRUE(record.PlayedGroups.empty());
}

}  // namespace
}  // namespace Framework
