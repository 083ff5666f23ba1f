// Saving an edited level: the shipped layout kept byte for byte, a read-only
// level saved to the user's folder and played from there, and the edits back
// after loading the level again.
#include "editor/LevelSaver.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "editor/EditorDocument.h"
#include "levels/Serialization.h"
#include "support/Capture.h"
#include "support/Files.h"
#include "support/Scenario.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

constexpr int kSlot = 11;

TEST(LevelSaverTest, AnEditedShippedLevelIsSavedToTheUserFolderAndLoadsBackAsEdited) {
  Scenario s;
  s.UseShippedLevels();
  s.LoadSlot(kSlot);
  Serialization& levels = Serialization::Instance();
  const std::string shipped = levels.LevelFiles[kSlot];
  const std::string shippedText = ReadFileText(shipped);
  EditorDocument document;
  document.Open();
  TempFolder copies{"tumbrix-level-copies"};
  LevelSaver saver;
  saver.CopyFolder = copies.Path;
  saver.Writable = [](const std::filesystem::path&) { return false; };

  // Unedited, the text is the shipped file's line for line; only numbers the level
  // tool spelt with a double's noise ("0.31079999999999997") come out as the float reads.
  ASSERT_TRUE(saver.Save(document, kSlot));
  std::istringstream savedLines(ReadFileText(copies.File("Save11.json"))), shippedLines(shippedText);
  int lines = 0;
  for (std::string saved, original; std::getline(shippedLines, original); ++lines) {
    ASSERT_TRUE(std::getline(savedLines, saved)) << "line " << lines;
    if (saved == original) continue;
    const std::size_t colon = original.find(": ");
    ASSERT_EQ(saved.substr(0, colon), original.substr(0, colon)) << "line " << lines;
    EXPECT_EQ(std::stof(saved.substr(colon + 2)), std::stof(original.substr(colon + 2))) << "line " << lines;
  }
  std::string rest;
  EXPECT_FALSE(std::getline(savedLines, rest));
  EXPECT_GT(lines, 10000);

  document.Select({document.Order()[3]});
  ASSERT_TRUE(document.Move({2, 1}, true));
  ASSERT_TRUE(document.SetProperty(document.Order()[5], "Transform.ZLayer", 0.25));
  document.Select({document.Order()[7], document.Order()[8]});
  ASSERT_TRUE(document.Delete());
  EXPECT_TRUE(document.Modified());
  const Json::Value edited = levels.WriteLevel(document.Objects());

  std::optional<std::string> written;
  const std::string said = StdoutOf([&] { written = saver.Save(document, kSlot); });
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, copies.File("Save11.json"));
  EXPECT_NE(said.find("Level saved to " + *written), std::string::npos) << said;
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(ReadFileText(shipped), shippedText);

  // The game plays the copy in the shipped level's place, now and on the next start.
  EXPECT_EQ(levels.LevelFiles[kSlot], *written);
  levels.LevelFiles[kSlot] = shipped;
  LevelSaver::UseCopies(copies.Path);
  EXPECT_EQ(levels.LevelFiles[kSlot], *written);
  s.LoadSlot(kSlot);
  EditorDocument reloaded;
  reloaded.Open();
  EXPECT_TRUE(levels.WriteLevel(reloaded.Objects()) == edited);

  // A level that can be written is saved where it is.
  saver.Writable = nullptr;
  s.LoadLevel(LevelText().Platform({0, 0}, {4, 1}).Text(), kSlot);
  const std::string own = levels.LevelFiles[kSlot];
  reloaded.Open();
  reloaded.Select(reloaded.Order());
  ASSERT_TRUE(reloaded.Move({0, 3}, false));
  EXPECT_EQ(saver.Save(reloaded, kSlot), own);
  EXPECT_NE(ReadFileText(own).find("\"Y\": 3.0"), std::string::npos) << ReadFileText(own);
}

}  // namespace
}  // namespace Framework
