// Every file in tests/data/broken_levels is loaded after a good level. None may
// end the program; each must leave a clear line naming itself (or load, where
// the format itself gives the content a meaning), and the world afterwards must
// be the one the format and the recovery rules call for.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "physics/Physics.h"
#include "support/Capture.h"
#include "support/LevelFixture.h"

namespace Framework {
namespace {

struct Expectation {
  // The file does not parse: "Failed to load" and the previous world comes back.
  bool Unreadable = false;
  // Otherwise: objects built, entries reported and skipped, and other reports.
  std::size_t Objects = 0;
  int SkippedEntries = 0;
  int OtherReports = 0;
};

const std::map<std::string, Expectation>& Expectations() {
  static const std::map<std::string, Expectation> table = {
      {"truncated.json", {.Unreadable = true}},
      {"empty.json", {.Unreadable = true}},
      {"whitespace_only.json", {.Unreadable = true}},
      {"not_json.json", {.Unreadable = true}},
      {"binary_garbage.json", {.Unreadable = true}},
      {"root_is_array.json", {.Unreadable = true}},
      {"root_is_null.json", {.Unreadable = true}},
      {"root_is_string.json", {.Unreadable = true}},
      {"unbalanced_brackets.json", {.Unreadable = true}},
      {"number_overflows_double.json", {.Unreadable = true}},
      {"single_quotes.json", {.Unreadable = true}},
      {"deep_nesting.json", {.Unreadable = true}},
      {"wrong_types.json", {.Objects = 1, .SkippedEntries = 6}},
      {"non_object_entries.json", {.Objects = 1, .SkippedEntries = 5}},
      {"non_object_entries_in_object_form.json", {.Objects = 1, .SkippedEntries = 2}},
      // Null reads as 0 everywhere in the format: this one is a valid level.
      {"nulls.json", {.Objects = 5}},
      {"huge_and_negative_numbers.json", {.Objects = 4, .SkippedEntries = 3, .OtherReports = 1}},
      {"scalar_sections.json", {.Objects = 0, .OtherReports = 2}},
      {"physics_wrong_type.json", {.Objects = 1, .OtherReports = 1}},
      {"nesting_inside_an_entry.json", {.Objects = 1, .SkippedEntries = 1}},
  };
  return table;
}

class BrokenLevelsTest : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    WriteFileText(SlotFile(10), LevelWithMarkers({1, 2}, -10.0f));
  }

  // Loads the good level, then the file; returns what the load printed.
  std::string LoadAfterGoodLevel(const std::string& path) {
    serialization.Load(SlotFile(10));
    return StdoutOf([&] { serialization.Load(path); });
  }

  void Check(const std::string& path, const Expectation& expected) {
    const std::string output = LoadAfterGoodLevel(path);
    SCOPED_TRACE(path + " printed:\n" + output);
    if (expected.Unreadable) {
      EXPECT_EQ(CountOf(output, "Could not parse " + path + ": "), 1);
      EXPECT_NE(output.find("\nFailed to load\n"), std::string::npos);
      EXPECT_EQ(MarkersInWorld(), (std::vector<float>{1, 2}));
      EXPECT_EQ(Physics::Instance().Gravity, -10.0f);
      return;
    }
    EXPECT_EQ(output.rfind("Game loaded\n", 0), 0u);
    EXPECT_EQ(Factory::Instance().Objects.size(), expected.Objects);
    EXPECT_EQ(CountOf(output, "entry skipped\n"), expected.SkippedEntries);
    // Every report is one line that names the file.
    std::istringstream lines(output);
    int reports = 0;
    for (std::string line; std::getline(lines, line);) {
      if (line == "Game loaded") continue;
      if (line.rfind("Body: ", 0) == 0) continue;  // a body in an entry without a Transform
      EXPECT_EQ(line.rfind("Level file " + path + ": ", 0), 0u) << line;
      ++reports;
    }
    EXPECT_EQ(reports, expected.SkippedEntries + expected.OtherReports);
    // The entry every partly broken file ends with was built.
    if (expected.Objects > 0) {
      const auto markers = MarkersInWorld();
      EXPECT_NE(std::find(markers.begin(), markers.end(), 777.0f), markers.end());
    }
  }
};

TEST_F(BrokenLevelsTest, EveryFileLoadsWithoutEndingTheGameAndReportsNameTheEntryAndTheKey) {
  const std::filesystem::path folder = std::filesystem::path(TUMBRIX_TEST_DATA_DIR) / "broken_levels";
  int tried = 0;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    const std::string name = file.path().filename().string();
    auto expected = Expectations().find(name);
    ASSERT_NE(expected, Expectations().end()) << "no expectation for " << name;
    Check(file.path().string(), expected->second);
    ++tried;
  }
  EXPECT_EQ(tried, static_cast<int>(Expectations().size()));

  // Specific reports name the entry, the key and the library's reason.
  const std::string wrongTypes = (folder / "wrong_types.json").string();
  const std::string output = LoadAfterGoodLevel(wrongTypes);
  EXPECT_NE(output.find("Level file " + wrongTypes +
                        ": entry \"[0]\", key \"Transform.Position.X\": Value is not convertible to float; entry skipped"),
            std::string::npos)
      << output;

  const std::string huge = (folder / "huge_and_negative_numbers.json").string();
  const std::string hugeOutput = LoadAfterGoodLevel(huge);
  EXPECT_NE(hugeOutput.find("key \"Physics.Gravity\": number out of 32-bit float range; gravity set to 0"),
            std::string::npos)
      << hugeOutput;
  EXPECT_EQ(Physics::Instance().Gravity, 0.0f);

  const std::string entries = (folder / "non_object_entries_in_object_form.json").string();
  const std::string entriesOutput = LoadAfterGoodLevel(entries);
  EXPECT_NE(entriesOutput.find("entry \"Object #2\" is not an object: "), std::string::npos) << entriesOutput;
}

// Ten megabytes of level, made here rather than kept in the repository.
std::string TenMegabyteLevel(std::size_t* entries) {
  std::string text = "{\"Physics\": {\"Gravity\": -10}, \"Factory\": {\"Game_Objects\": [";
  const std::size_t target = 10u * 1024u * 1024u;
  *entries = 0;
  while (text.size() < target) {
    if (*entries) text += ",\n";
    text += "{\"Name\": \"filler\", \"Transform\": {\"Position\": {\"X\": " + std::to_string(*entries) +
            ", \"Y\": 1.25}, \"Scale\": {\"X\": 2, \"Y\": 0.5}, \"Rotation\": 0, \"ZLayer\": 3},"
            " \"Body\": {\"IsStatic\": true, \"IsCollidable\": true, \"IsGhost\": false,"
            " \"Friction\": {\"X\": 0.99, \"Y\": 0.99, \"XG\": 0.9}, \"Bounce\": {\"X\": 0.5, \"Y\": 0.5}}}";
    ++*entries;
  }
  return text + "]}}";
}

TEST_F(BrokenLevelsTest, TenMegabyteFilesLoadWholeOrFailCleanly) {
  std::size_t entries = 0;
  const std::string text = TenMegabyteLevel(&entries);
  ASSERT_GE(text.size(), 10u * 1024u * 1024u);

  const std::string whole = dir.File("ten_megabytes.json");
  WriteFileText(whole, text);
  const std::string output = LoadAfterGoodLevel(whole);
  EXPECT_EQ(output, "Game loaded\n");
  EXPECT_EQ(Factory::Instance().Objects.size(), entries);

  // The same file cut off near its end: nothing of it is built.
  const std::string cut = dir.File("ten_megabytes_cut.json");
  WriteFileText(cut, text.substr(0, text.size() - 40));
  Check(cut, {.Unreadable = true});
}

}  // namespace
}  // namespace Framework
