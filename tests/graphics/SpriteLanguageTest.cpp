// Sprites and lights in level files, and the worded textures that follow the language.
#include "graphics/SpriteLanguage.h"

#include <gtest/gtest.h>

#include "graphics/DirLight.h"
#include "graphics/Light.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "levels/LevelSlots.h"
#include "levels/Localisation.h"
#include "objects/Factory.h"
#include "support/LevelFixture.h"

namespace Framework {
namespace {


constexpr const char* kLevel = R"({"Factory": {"Game_Objects": [
  {"Transform": {"ZLayer": 0.5}, "Sprite": {"Filename": "tutorial1", "Color": {"R": 0.25, "G": 0.5, "B": 1}, "Alfa": 0.75},
   "PointLight": {"Color": {"R": 1, "G": 0.5, "B": 0}, "Offset": {"X": 1, "Y": -2, "Z": 0.5}, "Radius": 6}},
  {"Transform": {}, "Sprite": {"Filename": "Tutorial1"}, "DirLight": {"Color": {"R": 0.3, "G": 0.3, "B": 0.4},
   "Direction": {"X": 0, "Y": -1, "Z": -1}}},
  {"Transform": {}, "Sprite": {"Filename": "winscreen.png"}, "Light": {"Color": {"R": 0.1, "G": 0.2, "B": 0.3}}},
  {"Transform": {}, "Sprite": {}}
]}})";

class SpriteLevelFormat : public LevelFixture {
 protected:
  // The level above, loaded in this language; its objects in file order.
  std::vector<GameObject*> Load(int language) {
    Localisation::Instance().Language = language;
    WriteFileText(SlotFile(20), kLevel);
    serialization.Load(SlotFile(20));
    return WorldObjects();
  }
};

TEST_F(SpriteLevelFormat, SpritesAndLightsAreReadAndWrittenBack) {
  auto world = Load(0);
  ASSERT_EQ(world.size(), 4u);
  const Sprite* lamp = world[0]->GetComponent<Sprite>();
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(lamp->Filename, "tutorial1");
  EXPECT_FLOAT_EQ(lamp->Color.G, 0.5f);
  EXPECT_FLOAT_EQ(lamp->Alpha, 0.75f);
  const PointLight* point = world[0]->GetComponent<PointLight>();
  ASSERT_NE(point, nullptr);
  EXPECT_FLOAT_EQ(point->Color.G, 0.5f);
  EXPECT_EQ(point->Offset, (Vec3{1.0f, -2.0f, 0.5f}));
  EXPECT_FLOAT_EQ(point->Radius, 6.0f);
  const DirLight* sun = world[1]->GetComponent<DirLight>();
  ASSERT_NE(sun, nullptr);
  EXPECT_EQ(sun->Direction, (Vec3{0.0f, -1.0f, -1.0f}));
  EXPECT_FLOAT_EQ(sun->Color.B, 0.4f);
  ASSERT_NE(world[2]->GetComponent<Light>(), nullptr);
  EXPECT_FLOAT_EQ(world[2]->GetComponent<Light>()->Color.R, 0.1f);
  // A sprite block without members: a plain, fully transparent quad.
  EXPECT_EQ(world[3]->GetComponent<Sprite>()->Filename, "");
  EXPECT_FLOAT_EQ(world[3]->GetComponent<Sprite>()->Alpha, 0.0f);

  // Save and load again: the same values come back.
  ASSERT_TRUE(serialization.Save(SlotFile(21)));
  const std::string saved = ReadFileText(SlotFile(21));
  EXPECT_NE(saved.find("\"Alfa\""), std::string::npos);
  EXPECT_NE(saved.find("\"Direction\""), std::string::npos);
  serialization.Load(SlotFile(21));
  world = WorldObjects();
  ASSERT_EQ(world.size(), 4u);
  EXPECT_FLOAT_EQ(world[0]->GetComponent<PointLight>()->Radius, 6.0f);
  EXPECT_EQ(world[0]->GetComponent<PointLight>()->Offset, (Vec3{1.0f, -2.0f, 0.5f}));
  EXPECT_FLOAT_EQ(world[0]->GetComponent<Sprite>()->Alpha, 0.75f);
  EXPECT_EQ(world[1]->GetComponent<DirLight>()->Direction, (Vec3{0.0f, -1.0f, -1.0f}));
}

TEST_F(SpriteLevelFormat, RussianPicksTheRussianVersionOfTheWordedTexturesOnlyInTheirLevels) {
  const auto world = Load(1);
  ASSERT_EQ(world.size(), 4u);
  EXPECT_EQ(world[0]->GetComponent<Sprite>()->Filename, "tutorial1_RU");
  EXPECT_EQ(world[1]->GetComponent<Sprite>()->Filename, "Tutorial1");      // other letter case
  EXPECT_EQ(world[2]->GetComponent<Sprite>()->Filename, "winscreen.png");  // with an extension
  // Saved in Russian, the Russian name is kept, and loading it in English keeps it.
  ASSERT_TRUE(serialization.Save(SlotFile(21)));
  Localisation::Instance().Language = 0;
  serialization.Load(SlotFile(21));
  EXPECT_EQ(WorldObjects()[0]->GetComponent<Sprite>()->Filename, "tutorial1_RU");

  // Applying the language renames worded sprites, only in their levels.
  Localisation& localisation = Localisation::Instance();
  Sprite* worded = Load(0)[0]->GetComponent<Sprite>();

  serialization.CurrentLevel = LevelSlot::FirstPlay + 1;  // no worded textures here: nothing changes
  localisation.Language = 1;
  ApplyLanguageToSprites();
  EXPECT_EQ(worded->Filename, "tutorial1");

  const int wordedLevels[] = {LevelSlot::FirstPlay, LevelSlot::FirstPlay + 2, LevelSlot::Finale};
  for (int level : wordedLevels) {
    serialization.CurrentLevel = level;
    localisation.Language = 1;
    ApplyLanguageToSprites();
    EXPECT_EQ(worded->Filename, "tutorial1_RU") << "level " << level;
    EXPECT_EQ(WorldObjects()[1]->GetComponent<Sprite>()->Filename, "Tutorial1");
    localisation.Language = 0;
    ApplyLanguageToSprites();
    EXPECT_EQ(worded->Filename, "tutorial1") << "level " << level;
  }
  // Any language other than English counts as Russian and is normalised to 1.
  localisation.Language = 7;
  ApplyLanguageToSprites();
  EXPECT_EQ(localisation.Language, 1);
  EXPECT_EQ(worded->Filename, "tutorial1_RU");

  EXPECT_EQ(LocalisedTextureName("winscreen", 1), "winscreen_RU");
  EXPECT_EQ(LocalisedTextureName("winscreen", 0), "winscreen");
  EXPECT_EQ(LocalisedTextureName("player", 1), "player");
}

}  // namespace
}  // namespace Framework
