// The SDL_mixer back end on its own, with SDL's dummy driver: loading, running
// out of channels, handles that outlive their play, and use before opening.
#include "audio/SdlMixerBackend.h"

#include <gtest/gtest.h>

#include <string>

namespace Framework {
namespace {

const std::string kBeep = std::string(TUMBRIX_GAME_DIR) + "/Audio/beep.ogg";

TEST(SdlMixerBackend, ReportsFailuresInTheLibrarysWordsAndAFullMixerDisturbsNoOtherPlay) {
  SdlMixerBackend backend;
  ASSERT_TRUE(backend.Open(2).Ok());
  EXPECT_GE(backend.Version(), PackAudioVersion(2, 6, 0));

  SoundHandle sound = 123;
  const AudioResult missing = backend.Load("Audio/not-there.ogg", sound);
  EXPECT_EQ(missing.Code, AudioLoadFailed);
  EXPECT_FALSE(missing.Details.empty());
  EXPECT_EQ(sound, NoSound);

  AudioChannel channel{7, 7};
  EXPECT_EQ(backend.Play(NoSound, AudioGroup::Sfx, false, channel).Code, AudioNoSound);
  EXPECT_TRUE(channel.IsNull()) << "a failed play hands back no channel";

  // A full mixer (two channels) refuses a play without disturbing the others.
  SoundHandle beep = NoSound;
  ASSERT_TRUE(backend.Load(kBeep, beep).Ok());
  AudioChannel a, b, c;
  ASSERT_TRUE(backend.Play(beep, AudioGroup::Sfx, true, a).Ok());
  ASSERT_TRUE(backend.Play(beep, AudioGroup::Music, true, b).Ok());
  const AudioResult full = backend.Play(beep, AudioGroup::Menu, true, c);
  EXPECT_EQ(full.Code, AudioNoFreeChannel);
  EXPECT_TRUE(c.IsNull());
  EXPECT_TRUE(backend.IsPlaying(a));
  EXPECT_TRUE(backend.IsPlaying(b));

  // Stopping frees the slot; the new play there gets a handle the old one cannot reach.
  ASSERT_TRUE(backend.Stop(a).Ok());
  ASSERT_TRUE(backend.Play(beep, AudioGroup::Menu, true, c).Ok());
  EXPECT_EQ(c.Index, a.Index);
  EXPECT_NE(c.Serial, a.Serial);
  EXPECT_EQ(backend.Stop(a).Code, AudioInvalidHandle);
  EXPECT_EQ(backend.SetChannelPaused(a, true).Code, AudioInvalidHandle);
  EXPECT_TRUE(backend.IsPlaying(c));
  EXPECT_FALSE(backend.IsPaused(c));
}

// The music is streamed, not decoded into memory: it plays beside the sound
// effects without taking a channel, and stops like any other play. (Pausing by
// group, the music's included: AudioSystemTest.)
TEST(SdlMixerBackend, TheStreamedMusicPlaysBesideTheChannels) {
  SdlMixerBackend backend;
  ASSERT_TRUE(backend.Open(1).Ok());
  SoundHandle music = NoSound, beep = NoSound;
  ASSERT_TRUE(backend.Load(std::string(TUMBRIX_GAME_DIR) + "/Audio/bgm_looped.ogg", music).Ok());
  ASSERT_TRUE(backend.Load(kBeep, beep).Ok());
  AudioChannel song, effect;
  ASSERT_TRUE(backend.Play(music, AudioGroup::Music, true, song).Ok());
  ASSERT_TRUE(backend.Play(beep, AudioGroup::Sfx, true, effect).Ok());
  EXPECT_EQ(backend.PlayingCount(), 2);

  // A second play of the music takes over the stream; the first handle goes stale.
  AudioChannel again;
  ASSERT_TRUE(backend.Play(music, AudioGroup::Music, true, again).Ok());
  EXPECT_FALSE(backend.IsPlaying(song));
  ASSERT_TRUE(backend.Stop(again).Ok());
  EXPECT_FALSE(backend.IsPlaying(again));
  EXPECT_TRUE(backend.IsPlaying(effect));
}

TEST(SdlMixerBackend, EverythingIsSafeBeforeOpeningAndAfterClosing) {
  SdlMixerBackend backend;
  SoundHandle sound = NoSound;
  AudioChannel channel;
  EXPECT_FALSE(backend.Load(kBeep, sound).Ok());
  EXPECT_FALSE(backend.Play(0, AudioGroup::Sfx, false, channel).Ok());
  EXPECT_EQ(backend.Stop(AudioChannel{0, 1}).Code, AudioInvalidHandle);
  EXPECT_TRUE(backend.SetGroupPaused(AudioGroup::Master, true).Ok());
  EXPECT_EQ(backend.PlayingCount(), 0);

  ASSERT_TRUE(backend.Open(4).Ok());
  ASSERT_TRUE(backend.Load(kBeep, sound).Ok());
  ASSERT_TRUE(backend.Play(sound, AudioGroup::Sfx, true, channel).Ok());
  backend.Close();
  backend.Close();
  EXPECT_FALSE(backend.IsPlaying(channel));
  EXPECT_EQ(backend.PlayingCount(), 0);
}

}  // namespace
}  // namespace Framework
