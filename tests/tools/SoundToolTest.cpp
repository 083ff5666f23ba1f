// The generated sounds as the game loads them: each file decodes through
// SDL_mixer and lasts as long as its use needs.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace Framework {
namespace {

constexpr int kRate = 44100;
const std::filesystem::path kAudio = std::filesystem::path(TUMBRIX_GAME_DIR) / "Audio";

TEST(SoundToolTest, EverySoundDecodesEffectsAreShortAndTheMusicIsLong) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
  // Mono float at the files' own rate, so decoding is the only conversion.
  ASSERT_EQ(Mix_OpenAudio(kRate, AUDIO_F32SYS, 1, 1024), 0) << Mix_GetError();
  struct Sound {
    const char* Name;
    double MinSeconds, MaxSeconds;
  };
  const Sound sounds[] = {{"throw.ogg", 0.03, 1.0},       {"beep.ogg", 0.03, 1.0},          {"push.ogg", 0.03, 1.0},
                          {"crash.ogg", 0.03, 1.0},       {"winlevel.ogg", 0.03, 1.0},      {"MenuOnClick.ogg", 0.03, 1.0},
                          {"MenuHoverOver.ogg", 0.03, 1.0}, {"bgm_looped.ogg", 30.0, 120.0}};
  for (const Sound& sound : sounds) {
    Mix_Chunk* chunk = Mix_LoadWAV((kAudio / sound.Name).string().c_str());
    ASSERT_NE(chunk, nullptr) << sound.Name << ": " << Mix_GetError();
    const double seconds = static_cast<double>(chunk->alen) / sizeof(float) / kRate;
    EXPECT_GE(seconds, sound.MinSeconds) << sound.Name;
    EXPECT_LE(seconds, sound.MaxSeconds) << sound.Name;
    Mix_FreeChunk(chunk);
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
}  // namespace Framework
