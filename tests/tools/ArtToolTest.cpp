// The texture generator and what it leaves in the run-time folder: an index the
// asset store can read, naming every texture the game asks for, each of which
// decodes at a size its use needs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "graphics/ImageDecoder.h"
#include "graphics/WorldTarget.h"
#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

namespace fs = std::filesystem;

const std::string kGameDir = TUMBRIX_GAME_DIR;
const std::string kTool = std::string(TUMBRIX_TOOLS_DIR) + "/tumbrix_art";

// Every texture name the game's code, menus and level files ask for by name.
const std::vector<std::string> kNamesTheGameAsksFor = {
    "player", "container2", "empty-button", "empty-button-gray", "empty-button-pressed", "back-button",
    "tumbrix-logo", "mainmenu-button", "mainmenu_alt", "next_alt", "no-button", "options-button",
    "options-header", "paused", "previous_alt", "quit-button", "quit-confirmation", "yes-button",
    "start-button", "throw_indicator", "splash", "credits", "HowToPlay", "KIV_cursor", "tutorial1",
    "tutorial2", "winscreen", "tutorial1_RU", "tutorial2_RU", "winscreen_RU", "throw_indicator_1",
    "throw_indicator_2", "throw_indicator_3", "HowToPlay_RU", "ground-grass", "ground-dirt", "stone-block",
    "platform", "spikes", "saw", "crate", "cloud", "exit", "signpost", "hill", "hill-far", "tree", "bush",
    "grass", "hill-pale", "warning", "pine", "moon", "sun", "lantern"};
// Pictures that fill the widescreen view.
const std::set<std::string> kFullScreen = {"splash", "HowToPlay", "HowToPlay_RU"};

TEST(ArtToolTest, TheIndexNamesEveryTextureTheGameUsesAndEachDecodesAtItsSize) {
  const std::string index = ReadFileText(kGameDir + "/textures/00_list_file.txt");
  ASSERT_FALSE(index.empty()) << "no texture index in " << kGameDir;
  // The asset store reads only lines ended by a newline.
  EXPECT_EQ(index.back(), '\n');
  std::set<std::string> listed;
  std::size_t start = 0;
  for (std::size_t nl; (nl = index.find('\n', start)) != std::string::npos; start = nl + 1) {
    const std::string line = index.substr(start, nl - start);
    ASSERT_GT(line.size(), 4u) << "a name must remain after dropping the extension";
    EXPECT_EQ(line.substr(line.size() - 4), ".png") << line;
    const std::string name = line.substr(0, line.size() - 4);
    const DecodedImage image = ImageDecoder::DecodeFile(kGameDir + "/textures/" + line);
    ASSERT_TRUE(image.Pixels) << line << ": " << image.Error;
    EXPECT_TRUE(image.Width > 0 && image.Height > 0) << line;
    if (kFullScreen.contains(name)) {
      EXPECT_EQ(image.Width * 9, image.Height * 16) << line;
      // One texel per art pixel at least: the world target shows no finer picture.
      EXPECT_GE(image.Height, WorldTarget::ArtRows) << line;
    }
    listed.insert(name);
  }
  for (const std::string& name : kNamesTheGameAsksFor) EXPECT_TRUE(listed.contains(name)) << name;
}

TEST(ArtToolTest, AMissingFontFailsLoudlyAndWritesNoIndex) {
  TempFolder scratch;
  const fs::path out = scratch.Path / "textures", errors = scratch.Path / "stderr";
  const std::string font = (scratch.Path / "no-such-font.ttf").string();
  const std::string cmd = "'" + kTool + "' '" + font + "' '" + out.string() + "' >/dev/null 2>'" + errors.string() + "'";
  EXPECT_NE(std::system(cmd.c_str()), 0);
  EXPECT_NE(ReadFileText(errors).find("no-such-font.ttf"), std::string::npos) << ReadFileText(errors);
  EXPECT_FALSE(fs::exists(out / "00_list_file.txt"));
}

}  // namespace
}  // namespace Framework
