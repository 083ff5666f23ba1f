// The texture generator and what it leaves in the run-time folder: the index
// file the asset store reads, images that decode, words where words belong,
// and the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/ImageDecoder.h"
#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

namespace fs = std::filesystem;

const std::string kGameDir = TUMBRIX_GAME_DIR;
const std::string kTool = std::string(TUMBRIX_TOOLS_DIR) + "/tumbrix_art";
const std::string kFont = kGameDir + "/fonts/PressStart2P.ttf";

// Every texture name the game's code and menus ask for by name.
const std::vector<std::string> kNamesTheGameAsksFor = {
    "player", "container2", "empty-button", "empty-button-gray", "empty-button-pressed", "back-button",
    "tumbrix-logo", "mainmenu-button", "mainmenu_alt", "next_alt", "no-button", "options-button",
    "options-header", "paused", "previous_alt", "quit-button", "quit-confirmation", "yes-button",
    "start-button", "throw_indicator", "splash", "credits", "HowToPlay", "KIV_cursor", "tutorial1",
    "tutorial2", "winscreen", "tutorial1_RU", "tutorial2_RU", "winscreen_RU", "throw_indicator_1",
    "throw_indicator_2", "throw_indicator_3", "HowToPlay_RU"};

// The level art the level files are built from.
const std::vector<std::string> kLevelArt = {
    "ground-grass", "ground-dirt", "stone-block", "platform", "spikes", "saw", "crate", "cloud",
    "exit", "signpost", "hill", "hill-far", "tree", "bush", "grass", "hill-pale", "warning", "pine", "moon", "sun", "lantern"};

// Splits an index file the way the asset store reads it: only lines ended by
// a newline count. Returns the lines and whether anything trailed the last one.
std::vector<std::string> IndexLines(const std::string& text, std::string& trailing) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  trailing = text.substr(start);
  return lines;
}

std::vector<std::string> ListedNames(const fs::path& dir) {
  std::string trailing;
  std::vector<std::string> names;
  for (const std::string& line : IndexLines(ReadFileText(dir / "00_list_file.txt"), trailing))
    if (line.size() > 4) names.push_back(line.substr(0, line.size() - 4));
  return names;
}

// A texture decoded as the game decodes it, rows top first.
struct PngImage {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Pixels;  // R, G, B, A per texel
  // RGBA of one texel packed as 0xRRGGBBAA.
  std::uint32_t At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)) * 4;
    return (std::uint32_t{Pixels[i]} << 24) | (std::uint32_t{Pixels[i + 1]} << 16) | (std::uint32_t{Pixels[i + 2]} << 8) |
           std::uint32_t{Pixels[i + 3]};
  }
  std::uint8_t AlphaAt(int x, int y) const { return static_cast<std::uint8_t>(At(x, y) & 0xFF); }
};

fs::path TexturePath(const std::string& name) { return kGameDir + "/textures/" + name + ".png"; }

// A texture of the run-time folder; a test that cannot decode one fails there, naming it.
PngImage LoadTexture(const std::string& name) {
  const DecodedImage decoded = ImageDecoder::DecodeFile(TexturePath(name).string());
  if (!decoded.Pixels) throw std::runtime_error(name + ".png does not decode: " + decoded.Error);
  const std::size_t bytes = static_cast<std::size_t>(decoded.Width) * static_cast<std::size_t>(decoded.Height) * 4;
  return {decoded.Width, decoded.Height, {decoded.Pixels.get(), decoded.Pixels.get() + bytes}};
}

// Share of a rectangle (given as fractions of the image) taken by its most
// common colour: 1.0 means the area is plain.
double DominantShare(const PngImage& img, double x0, double y0, double x1, double y1) {
  std::map<std::uint32_t, int> counts;
  int total = 0;
  for (int y = static_cast<int>(y0 * img.Height); y < static_cast<int>(y1 * img.Height); ++y)
    for (int x = static_cast<int>(x0 * img.Width); x < static_cast<int>(x1 * img.Width); ++x) {
      ++counts[img.At(x, y)];
      ++total;
    }
  int best = 0;
  for (const auto& [colour, n] : counts) best = std::max(best, n);
  return total == 0 ? 1.0 : static_cast<double>(best) / total;
}

bool SameRegion(const PngImage& a, const PngImage& b, double x0, double y0, double x1, double y1) {
  for (int y = static_cast<int>(y0 * a.Height); y < static_cast<int>(y1 * a.Height); ++y)
    for (int x = static_cast<int>(x0 * a.Width); x < static_cast<int>(x1 * a.Width); ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

// Runs the generator into a fresh folder; returns its exit status and stderr.
struct ToolRun {
  int Status = -1;
  std::string Errors;
};
ToolRun RunTool(const std::string& font, const fs::path& out) {
  const fs::path errFile = out.string() + ".stderr";
  const std::string cmd = "'" + kTool + "' '" + font + "' '" + out.string() + "' >/dev/null 2>'" + errFile.string() + "'";
  ToolRun run;
  run.Status = std::system(cmd.c_str());
  run.Errors = ReadFileText(errFile);
  return run;
}

TEST(ArtToolTest, IndexFollowsTheAssetStoresReadingRules) {
  const std::string text = ReadFileText(kGameDir + "/textures/00_list_file.txt");
  ASSERT_FALSE(text.empty()) << "no texture index in " << kGameDir;
  std::string trailing;
  const std::vector<std::string> lines = IndexLines(text, trailing);
  // An entry without its newline would be dropped by the reader.
  EXPECT_EQ(trailing, "");
  std::set<std::string> seen;
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 60u) << line;  // the reader's buffer holds 79 characters
    EXPECT_EQ(line.find_first_of(" \t\r"), std::string::npos) << "'" << line << "'";
    ASSERT_GT(line.size(), 4u) << "a name must remain after dropping the extension";
    EXPECT_EQ(line.substr(line.size() - 4), ".png") << line;
    EXPECT_TRUE(seen.insert(line).second) << "listed twice: " << line;
    EXPECT_TRUE(fs::is_regular_file(kGameDir + "/textures/" + line)) << line;
  }
}

TEST(ArtToolTest, TheIndexNamesEveryTextureTheGameUsesAndEachDecodesToAVisibleRgbaImage) {
  const std::vector<std::string> listed = ListedNames(kGameDir + "/textures");
  const std::set<std::string> names(listed.begin(), listed.end());
  for (const auto& wanted : {kNamesTheGameAsksFor, kLevelArt}) {
    for (const std::string& name : wanted) EXPECT_TRUE(names.count(name)) << name;
  }
  std::uintmax_t totalBytes = 0;
  for (const std::string& name : listed) {
    const PngImage img = LoadTexture(name);
    ASSERT_TRUE(img.Width > 0 && img.Height > 0) << name;
    // The file itself stores RGBA: the header's colour type (at byte 25) is 6.
    EXPECT_EQ(ReadFileText(TexturePath(name)).at(25), 6) << name;
    int opaque = 0;
    for (int y = 0; y < img.Height; ++y)
      for (int x = 0; x < img.Width; ++x) opaque += img.AlphaAt(x, y) == 255;
    // Well above the renderer's alpha test: at least a fifth of the texture is solid.
    EXPECT_GT(opaque * 5, img.Width * img.Height) << name;
    totalBytes += fs::file_size(TexturePath(name));
  }
  EXPECT_LT(totalBytes, 4u * 1024 * 1024);
}

TEST(ArtToolTest, ArtPixelsAreBlocksOfThreeTexels) {
  // Linear magnification blurs single-texel pixel art; every art pixel is a 3x3 block.
  for (const char* name : {"player", "splash", "spikes", "tutorial1_RU"}) {
    const PngImage img = LoadTexture(name);
    ASSERT_EQ(img.Width % 3, 0) << name;
    ASSERT_EQ(img.Height % 3, 0) << name;
    bool blocky = true;
    for (int y = 0; y < img.Height && blocky; ++y)
      for (int x = 0; x < img.Width && blocky; ++x) blocky = img.At(x, y) == img.At(x - x % 3, y - y % 3);
    EXPECT_TRUE(blocky) << name;
  }
}

TEST(ArtToolTest, FullScreenPicturesMatchTheWidescreenView) {
  for (const char* name : {"splash", "HowToPlay", "HowToPlay_RU"}) {
    const PngImage img = LoadTexture(name);
    EXPECT_EQ(img.Width * 9, img.Height * 16) << name;
    EXPECT_GE(img.Height, 720) << name;
  }
  const PngImage credits = LoadTexture("credits");
  EXPECT_GE(credits.Height, 2 * credits.Width) << "the credits scroll upwards";
}

TEST(ArtToolTest, ButtonsCarryTheirWordsAndTheBlankButtonsStayBlank) {
  // The middle of a button, where its label sits.
  auto middle = [](const PngImage& img) { return DominantShare(img, 0.15, 0.25, 0.85, 0.75); };
  for (const char* blank : {"empty-button", "empty-button-gray"}) {
    EXPECT_GT(middle(LoadTexture(blank)), 0.99) << blank << " must leave room for the menu's own label";
  }
  for (const char* worded : {"back-button", "mainmenu-button", "no-button", "options-button", "quit-button",
                                    "yes-button", "start-button", "mainmenu_alt", "next_alt", "previous_alt",
                                    "options-header", "paused", "quit-confirmation", "tumbrix-logo"}) {
    EXPECT_LT(middle(LoadTexture(worded)), 0.92) << worded << " shows no word";
  }
}

TEST(ArtToolTest, TranslatedPicturesCarryDifferentWordsInTheSameLayout) {
  struct Pair { const char* En; const char* Ru; double X0, Y0, X1, Y1; };
  // Each rectangle is where that picture's main words are.
  const Pair pairs[] = {{"HowToPlay", "HowToPlay_RU", 0.33, 0.08, 0.97, 0.62},
                        {"tutorial1", "tutorial1_RU", 0.03, 0.1, 0.5, 0.75},
                        {"tutorial2", "tutorial2_RU", 0.1, 0.1, 0.6, 0.7},
                        {"winscreen", "winscreen_RU", 0.05, 0.05, 0.95, 0.95}};
  for (const Pair& p : pairs) {
    const PngImage en = LoadTexture(p.En), ru = LoadTexture(p.Ru);
    ASSERT_EQ(en.Width, ru.Width) << p.En;
    ASSERT_EQ(en.Height, ru.Height) << p.En;
    EXPECT_LT(DominantShare(en, p.X0, p.Y0, p.X1, p.Y1), 0.95) << p.En << " has no words";
    EXPECT_LT(DominantShare(ru, p.X0, p.Y0, p.X1, p.Y1), 0.95) << p.Ru << " has no words";
    EXPECT_FALSE(SameRegion(en, ru, p.X0, p.Y0, p.X1, p.Y1)) << p.Ru << " repeats the English words";
  }
  const PngImage credits = LoadTexture("credits");
  // Library names run down the middle of the scroll.
  for (double band = 0.15; band < 0.75; band += 0.1)
    EXPECT_LT(DominantShare(credits, 0.2, band, 0.8, band + 0.1), 0.97) << "credits band at " << band;
  const PngImage splash = LoadTexture("splash");
  EXPECT_LT(DominantShare(splash, 0.2, 0.1, 0.8, 0.3), 0.8) << "the splash carries the title";
}

TEST(ArtToolTest, CursorTipIsTheTopLeftCorner) {
  const PngImage img = LoadTexture("KIV_cursor");
  EXPECT_EQ(img.AlphaAt(0, 0), 255);
  EXPECT_EQ(img.AlphaAt(img.Width - 1, img.Height - 1), 0);
  EXPECT_EQ(img.AlphaAt(img.Width - 1, 0), 0);
}

TEST(ArtToolTest, ThrowIndicatorsPointAlongXAndShowTheBombCount) {
  std::vector<PngImage> indicators;
  for (const char* name : {"throw_indicator", "throw_indicator_1", "throw_indicator_2", "throw_indicator_3"}) {
    indicators.push_back(LoadTexture(name));
    const PngImage& img = indicators.back();
    EXPECT_GT(img.Width, img.Height) << name;
    // Near the right edge only the arrow's tip remains: opaque rows centred on the middle.
    const int x = img.Width - img.Width / 20 - 1;
    int top = img.Height, bottom = -1;
    for (int y = 0; y < img.Height; ++y)
      if (img.AlphaAt(x, y) != 0) { top = std::min(top, y); bottom = std::max(bottom, y); }
    ASSERT_LE(top, bottom) << name;
    EXPECT_LT(bottom - top, img.Height / 3) << name;
    EXPECT_NEAR((top + bottom) / 2.0, img.Height / 2.0, img.Height / 10.0) << name;
  }
  for (std::size_t i = 0; i < indicators.size(); ++i)
    for (std::size_t j = i + 1; j < indicators.size(); ++j) {
      ASSERT_EQ(indicators[i].Width, indicators[j].Width);
      EXPECT_NE(indicators[i].Pixels, indicators[j].Pixels) << "counts " << i << " and " << j << " look alike";
    }
}

TEST(ArtToolTest, TilesJoinWithoutSeams) {
  for (const char* name : {"ground-grass", "ground-dirt", "stone-block", "platform", "spikes", "grass"}) {
    const PngImage img = LoadTexture(name);
    // Where one tile's right edge meets the next one's left edge, both are solid or both clear.
    for (int y = 0; y < img.Height; ++y)
      EXPECT_EQ(img.AlphaAt(0, y) == 0, img.AlphaAt(img.Width - 1, y) == 0) << name << " row " << y;
  }
  // Ground, stone and dirt fill whole areas: no holes.
  for (const char* name : {"ground-grass", "ground-dirt", "stone-block", "platform"}) {
    const PngImage img = LoadTexture(name);
    for (int y = 0; y < img.Height; ++y)
      for (int x = 0; x < img.Width; ++x) ASSERT_EQ(img.AlphaAt(x, y), 255) << name << " at " << x << "," << y;
  }
  // The grass band of a ground tile lines up across the seam.
  const PngImage grass = LoadTexture("ground-grass");
  for (int y = 0; y < grass.Height / 4; ++y) EXPECT_EQ(grass.At(0, y), grass.At(grass.Width - 1, y)) << y;
}

TEST(ArtToolTest, TwoRunsWriteIdenticalBytes) {
  TempFolder scratch;
  const fs::path a = scratch.Path / "a", b = scratch.Path / "b";
  const ToolRun first = RunTool(kFont, a), second = RunTool(kFont, b);
  ASSERT_EQ(first.Status, 0) << first.Errors;
  ASSERT_EQ(second.Status, 0) << second.Errors;
  const std::string index = ReadFileText(a / "00_list_file.txt");
  ASSERT_FALSE(index.empty());
  EXPECT_EQ(index, ReadFileText(b / "00_list_file.txt"));
  EXPECT_EQ(index, ReadFileText(kGameDir + "/textures/00_list_file.txt"));
  for (const std::string& name : ListedNames(a)) {
    const std::string bytes = ReadFileText(a / (name + ".png"));
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(bytes, ReadFileText(b / (name + ".png"))) << name;
    EXPECT_EQ(bytes, ReadFileText(kGameDir + "/textures/" + name + ".png")) << name;
  }
}

TEST(ArtToolTest, AMissingFontFailsLoudlyAndWritesNoIndex) {
  TempFolder scratch;
  const fs::path out = scratch.Path / "textures";
  const ToolRun run = RunTool((scratch.Path / "no-such-font.ttf").string(), out);
  EXPECT_NE(run.Status, 0);
  EXPECT_NE(run.Errors.find("no-such-font.ttf"), std::string::npos) << run.Errors;
  EXPECT_FALSE(fs::exists(out / "00_list_file.txt"));
}

}  // namespace
}  // namespace Framework
