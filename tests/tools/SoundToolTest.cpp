// The generated sounds as the game loads them: each file decodes through
// SDL_mixer, has a sensible length and level, starts and ends without a click,
// and the music loops without a seam. The generator gives the same bytes every run.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

constexpr int kRate = 44100;
const std::filesystem::path kAudio = std::filesystem::path(TUMBRIX_GAME_DIR) / "Audio";
const std::vector<std::string> kEffects = {"throw.ogg", "beep.ogg", "push.ogg", "crash.ogg", "winlevel.ogg"};
const std::vector<std::string> kTicks = {"MenuOnClick.ogg", "MenuHoverOver.ogg"};
const std::string kMusic = "bgm_looped.ogg";

float Peak(const std::vector<float>& x) {
  float peak = 0.0f;
  for (float v : x) peak = std::max(peak, std::fabs(v));
  return peak;
}

// RMS of the loudest 50 ms.
float Loudness(const std::vector<float>& x) {
  const std::size_t window = kRate / 20;
  double sum = 0.0, best = 0.0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    sum += double(x[i]) * x[i];
    if (i >= window) sum -= double(x[i - window]) * x[i - window];
    best = std::max(best, sum / double(std::min(i + 1, window)));
  }
  return static_cast<float>(std::sqrt(best));
}

float Rms(const std::vector<float>& x, std::size_t from, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = from; i < from + count; ++i) sum += double(x[i]) * x[i];
  return static_cast<float>(std::sqrt(sum / double(count)));
}

class GeneratedSounds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    // Mono float at the files' own rate, so decoding is the only conversion.
    ASSERT_EQ(Mix_OpenAudio(kRate, AUDIO_F32SYS, 1, 1024), 0) << Mix_GetError();
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    ASSERT_EQ(rate, kRate);
    ASSERT_EQ(format, AUDIO_F32SYS);
    ASSERT_EQ(channels, 1);
    for (const auto& list : {kEffects, kTicks, {kMusic}}) {
      for (const std::string& name : list) {
        Mix_Chunk* chunk = Mix_LoadWAV((kAudio / name).string().c_str());
        ASSERT_NE(chunk, nullptr) << name << ": " << Mix_GetError();
        const float* samples = reinterpret_cast<const float*>(chunk->abuf);
        decoded_[name].assign(samples, samples + chunk->alen / sizeof(float));
        Mix_FreeChunk(chunk);
      }
    }
  }
  static void TearDownTestSuite() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    decoded_.clear();
  }
  static const std::vector<float>& Samples(const std::string& name) { return decoded_.at(name); }
  static double Seconds(const std::string& name) { return double(Samples(name).size()) / kRate; }

  static inline std::map<std::string, std::vector<float>> decoded_;
};

TEST_F(GeneratedSounds, EffectsAreShortAudibleBelowFullScaleAndFreeOfEdgeClicks) {
  std::vector<std::string> all = kEffects;
  all.insert(all.end(), kTicks.begin(), kTicks.end());
  for (const std::string& name : all) {
    SCOPED_TRACE(name);
    const std::vector<float>& x = Samples(name);
    EXPECT_GE(Seconds(name), 0.03);
    EXPECT_LT(Seconds(name), 1.0);
    EXPECT_LT(Peak(x), 0.95f);
    EXPECT_GT(Peak(x), 0.1f);
    // Starting or stopping away from zero would be heard as a click.
    EXPECT_LT(std::fabs(x.front()), 0.03f);
    EXPECT_LT(std::fabs(x.back()), 0.03f);
  }
}

TEST_F(GeneratedSounds, EffectsShareALevelTicksAreSofterAndTheMusicSitsBelow) {
  float loudest = 0.0f, quietest = 1.0f;
  for (const std::string& name : kEffects) {
    loudest = std::max(loudest, Loudness(Samples(name)));
    quietest = std::min(quietest, Loudness(Samples(name)));
  }
  EXPECT_LT(loudest / quietest, 2.5f) << "one effect is far louder than another";
  for (const std::string& name : kTicks) EXPECT_LT(Loudness(Samples(name)), quietest) << name;
  EXPECT_LT(Loudness(Samples(kMusic)), quietest);
}

TEST_F(GeneratedSounds, TheMusicIsLongNeverDropsOutAndLoopsWithoutASeam) {
  const std::vector<float>& x = Samples(kMusic);
  EXPECT_GE(Seconds(kMusic), 30.0);
  EXPECT_LE(Seconds(kMusic), 120.0);
  EXPECT_LT(Peak(x), 0.95f);
  for (std::size_t second = 0; second + kRate <= x.size(); second += kRate) {
    EXPECT_GT(Rms(x, second, kRate), 0.02f) << "near silence at " << second / kRate << " s";
  }
  // The step from the last sample back to the first is no bigger than the
  // ordinary steps of the tune itself.
  std::vector<float> steps;
  for (std::size_t i = 1; i < x.size(); ++i) steps.push_back(std::fabs(x[i] - x[i - 1]));
  std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
  const float typical = steps[steps.size() / 2];
  const float join = std::fabs(x.front() - x.back());
  EXPECT_LT(join, std::max(3.0f * typical, 0.01f)) << "typical step " << typical;
}

TEST(SoundGenerator, WritesTheSameBytesEveryRun) {
  TempFolder scratch;
  const std::filesystem::path out = scratch.Path / "Audio";
  const std::string command = std::string(TUMBRIX_TOOLS_DIR) + "/sound/tumbrix_sound " + out.string() + " > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::size_t compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kAudio)) {
    const std::filesystem::path fresh = out / entry.path().filename();
    ASSERT_TRUE(std::filesystem::exists(fresh)) << fresh;
    EXPECT_TRUE(ReadFileText(fresh) == ReadFileText(entry.path())) << entry.path().filename() << " differs";
    ++compared;
  }
  EXPECT_EQ(compared, 9u);
}

}  // namespace
}  // namespace Framework
