// What the build puts beside the textures for the first screen: the font with
// its index, and level slot 0 showing the splash picture across the view.
#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace Framework {
namespace {

const std::string kGameDir = TUMBRIX_GAME_DIR;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(RunTimeFolderTest, FontIndexNamesTheInstalledFont) {
  EXPECT_EQ(ReadFile(kGameDir + "/fonts/00_list_file.txt"), "PressStart2P.ttf\n");
  EXPECT_GT(std::filesystem::file_size(kGameDir + "/fonts/PressStart2P.ttf"), 1000u);
  EXPECT_NE(ReadFile(kGameDir + "/fonts/OFL.txt").find("SIL Open Font License"), std::string::npos);
}

TEST(RunTimeFolderTest, LevelSlotZeroShowsTheSplashAcrossTheView) {
  Json::Value root;
  Json::CharReaderBuilder builder;
  std::string errors;
  std::istringstream in(ReadFile(kGameDir + "/saves/Save0.json"));
  ASSERT_TRUE(Json::parseFromStream(builder, in, &root, &errors)) << errors;
  EXPECT_EQ(root["Physics"]["Gravity"].asFloat(), 0.0f);
  const Json::Value& objects = root["Factory"]["Game_Objects"];
  ASSERT_TRUE(objects.isArray());
  ASSERT_EQ(objects.size(), 1u);
  const Json::Value& splash = objects[0];
  EXPECT_TRUE(splash.isMember("SplashScript"));
  EXPECT_EQ(splash["Sprite"]["Filename"].asString(), "splash");
  EXPECT_EQ(splash["Sprite"]["Alfa"].asFloat(), 1.0f);
  for (const char* channel : {"R", "G", "B"}) EXPECT_EQ(splash["Sprite"]["Color"][channel].asFloat(), 1.0f);
  // The view is 32 units high and 32 x aspect wide around the camera at the origin.
  const Json::Value& transform = splash["Transform"];
  EXPECT_EQ(transform["Position"]["X"].asFloat(), 0.0f);
  EXPECT_EQ(transform["Position"]["Y"].asFloat(), 0.0f);
  EXPECT_NEAR(transform["Scale"]["X"].asFloat(), 32.0f * 16.0f / 9.0f, 1e-3);
  EXPECT_EQ(transform["Scale"]["Y"].asFloat(), 32.0f);
  // Behind the cursor, which is drawn at depth 0.
  EXPECT_GT(transform["ZLayer"].asFloat(), 0.0f);
  // The splash picture is one of the generated textures.
  EXPECT_NE(ReadFile(kGameDir + "/textures/00_list_file.txt").find("\nsplash.png\n"), std::string::npos);
}

}  // namespace
}  // namespace Framework
