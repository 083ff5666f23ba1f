// What the build puts beside the textures for the text: the font with its index
// and the licence it is shipped under.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/Files.h"

namespace Framework {
namespace {

const std::string kGameDir = TUMBRIX_GAME_DIR;

TEST(RunTimeFolderTest, FontIndexNamesTheInstalledFontAndItsLicenceComesWithIt) {
  EXPECT_EQ(ReadFileText(kGameDir + "/fonts/00_list_file.txt"), "PressStart2P.ttf\n");
  EXPECT_GT(std::filesystem::file_size(kGameDir + "/fonts/PressStart2P.ttf"), 1000u);
  EXPECT_NE(ReadFileText(kGameDir + "/fonts/OFL.txt").find("SIL Open Font License"), std::string::npos);
}

}  // namespace
}  // namespace Framework
