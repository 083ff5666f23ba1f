// tumbrix_sound: synthesises the game's sound effects and music, encodes them as
// Ogg Vorbis and writes them with their list file into the given Audio folder.
// Usage: tumbrix_sound <output folder>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Effects.h"
#include "Music.h"
#include "OggEncoder.h"
#include "Synth.h"

namespace {

using namespace Framework::SoundTool;

// Perceived loudness of the loudest 50 ms. Effects share one level so none jumps out;
// menu ticks are meant to be soft, and the music sits well under the effects.
constexpr float kEffectLoudness = 0.22f;
constexpr float kTickLoudness = 0.12f;
constexpr float kMusicLoudness = 0.10f;
// Headroom for the codec, whose decoded peaks can overshoot the source a little.
constexpr float kEffectPeakLimit = 0.89f;
constexpr float kMusicPeakLimit = 0.6f;

struct SoundSpec {
  const char* FileName;
  std::function<Samples()> Make;
  float Loudness;
  float PeakLimit;
};

double Decibels(float level) { return 20.0 * std::log10(std::max(level, 1e-9f)); }

// The order of the list file; each name is followed by a line break.
const std::vector<SoundSpec>& Sounds() {
  static const std::vector<SoundSpec> sounds = {
      {"throw.ogg", MakeThrow, kEffectLoudness, kEffectPeakLimit},
      {"beep.ogg", MakeJump, kEffectLoudness, kEffectPeakLimit},
      {"push.ogg", MakeExplosion, kEffectLoudness, kEffectPeakLimit},
      {"crash.ogg", MakeDeath, kEffectLoudness, kEffectPeakLimit},
      {"winlevel.ogg", MakeWin, kEffectLoudness, kEffectPeakLimit},
      {"MenuOnClick.ogg", MakeMenuClick, kTickLoudness, kEffectPeakLimit},
      {"MenuHoverOver.ogg", MakeMenuHover, kTickLoudness, kEffectPeakLimit},
      {"bgm_looped.ogg", MakeMusic, kMusicLoudness, kMusicPeakLimit},
  };
  return sounds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    std::fprintf(stderr, "tumbrix_sound: cannot create %s: %s\n", folder.string().c_str(), ec.message().c_str());
    return 1;
  }


  std::string list;
  std::int32_t serial = 0x54420000;  // fixed stream numbers keep the bytes the same every build
  for (const SoundSpec& sound : Sounds()) {
    Samples samples = sound.Make();
    Normalise(samples, sound.Loudness, sound.PeakLimit);
    std::vector<unsigned char> bytes;
    std::string error;
    const EncodeSettings settings{0.5f, ++serial};
    const std::string path = (folder / sound.FileName).string();
    if (!EncodeOggVorbis(samples, settings, bytes, error) || !WriteFile(path, bytes, error)) {
      std::fprintf(stderr, "tumbrix_sound: %s: %s\n", sound.FileName, error.c_str());
      return 1;
    }
    std::printf("%-18s %7.3f s  peak %6.1f dBFS  loudness %6.1f dBFS  %zu bytes\n", sound.FileName,
                static_cast<double>(samples.size()) / SampleRate, Decibels(Peak(samples)),
                Decibels(PerceivedLoudness(samples)), bytes.size());
    list += sound.FileName;
    list += '\n';
  }

  std::ofstream listFile(folder / "00_list_file.txt", std::ios::binary | std::ios::trunc);
  listFile << list;
  if (!listFile) {
    std::fprintf(stderr, "tumbrix_sound: cannot write %s\n", (folder / "00_list_file.txt").string().c_str());
    return 1;
  }
  return 0;
}
