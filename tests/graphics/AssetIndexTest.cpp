// Reading the asset index files: naming, pairing, the end-of-file rule and the
// lines that cannot be used. No GPU involved.
#include "graphics/AssetIndex.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

struct ReadResult {
  std::vector<AssetIndexEntry> entries;
  std::string report;
};

ReadResult ReadIndex(const std::string& text, AssetKind kind, const std::string& file = "list.txt") {
  std::istringstream in(text);
  std::ostringstream report;
  ReadResult result;
  result.entries = AssetIndex::Read(in, kind, file, report);
  result.report = report.str();
  return result;
}

std::vector<std::string> Names(const std::vector<AssetIndexEntry>& entries) {
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.Name);
  return names;
}

TEST(AssetIndexShaders, PairsAreNamedByTheFirstLetterOfTheVertexLineWithoutCarriageReturns) {
  const ReadResult r = ReadIndex(
      "Basic.vert\nBasic.frag\nFont.vert\nFont.frag\nInstance.vert\nInstance.frag\n"
      "Texture.vert\nTexture.frag\nbasic.vert\r\nbasic.frag\r\n",
      AssetKind::Shaders);
  EXPECT_EQ(Names(r.entries), (std::vector<std::string>{"Basic", "Font", "Instance", "Texture", ""}));
  ASSERT_EQ(r.entries.size(), 5u);
  EXPECT_EQ(r.entries[0].Path, "shaders/Basic.vert");
  EXPECT_EQ(r.entries[0].FragmentPath, "shaders/Basic.frag");
  EXPECT_EQ(r.entries[4].Line, 9);
  // Carriage returns are not part of the line.
  EXPECT_EQ(r.entries[4].FragmentPath, "shaders/basic.frag");
  EXPECT_EQ(r.report, "");
}

TEST(AssetIndexShaders, AnOverlongLineSpoilsOnlyItsOwnPair) {
  const std::string longName(80, 'x');
  const ReadResult r = ReadIndex("B.vert\n" + longName + "\nT.vert\nT.frag\n", AssetKind::Shaders, "shaders/list");
  EXPECT_EQ(Names(r.entries), std::vector<std::string>{"Texture"});
  EXPECT_NE(r.report.find("shaders/list:2:"), std::string::npos) << r.report;
  EXPECT_NE(r.report.find("longer than 79"), std::string::npos) << r.report;
}

TEST(AssetIndexTextures, NamesDropTheExtensionLinesAreUsedAsWrittenAndBadLinesAreSkipped) {
  const ReadResult r = ReadIndex("player.png\n KIV_cursor.png\n.png\n", AssetKind::Textures);
  EXPECT_EQ(Names(r.entries), (std::vector<std::string>{"player", " KIV_cursor", ""}));
  ASSERT_EQ(r.entries.size(), 3u);
  EXPECT_EQ(r.entries[0].Path, "textures/player.png");
  EXPECT_EQ(r.entries[1].Path, "textures/ KIV_cursor.png");
  EXPECT_EQ(r.report, "");

  // Short and overlong lines are reported with their line and skipped: a
  // 79-character line is still fine; 80 is one too many.
  const std::string fits = std::string(75, 'a') + ".png";
  const std::string tooLong = std::string(76, 'b') + ".png";
  const ReadResult bad =
      ReadIndex("one.png\n\n" + tooLong + "\nab\n" + fits + "\ntwo.png\n", AssetKind::Textures, "textures/00_list_file.txt");
  EXPECT_EQ(Names(bad.entries), (std::vector<std::string>{"one", std::string(75, 'a'), "two"}));
  EXPECT_EQ(bad.entries.back().Line, 6);
  EXPECT_NE(bad.report.find("textures/00_list_file.txt:2: line too short"), std::string::npos) << bad.report;
  EXPECT_NE(bad.report.find("textures/00_list_file.txt:3: line longer than 79"), std::string::npos) << bad.report;
  EXPECT_NE(bad.report.find("textures/00_list_file.txt:4: line too short"), std::string::npos) << bad.report;
}

TEST(AssetIndex, OnlyLinesEndedByANewlineAreUsedAndWhatIsLeftOutIsReported) {
  struct Case {
    std::string text;
    AssetKind kind;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      // The fragment line of the second pair is ended by the end of the file.
      {"B.vert\nB.frag\nT.vert\nT.frag", AssetKind::Shaders, {"Basic"}},
      // A lone vertex line at the end makes no pair.
      {"B.vert\nB.frag\nT.vert\n", AssetKind::Shaders, {"Basic"}},
      {"player.png\nsplash.png", AssetKind::Textures, {"player"}},
      {"", AssetKind::Textures, {}},
      // No newline anywhere: the reader must stop at the end of the file with nothing to use.
      {std::string(100000, 'z'), AssetKind::Fonts, {}},
      {"PressStart2P.ttf\n", AssetKind::Fonts, {"PressStart2P"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Names(ReadIndex(c.text, c.kind).entries), c.names) << c.text.substr(0, 40);
  EXPECT_EQ(ReadIndex("PressStart2P.ttf\n", AssetKind::Fonts).entries.at(0).Path, "fonts/PressStart2P.ttf");
  // An unended last line and an index with nothing in it are reported.
  EXPECT_EQ(ReadIndex("a.png\nsplash.png", AssetKind::Textures).report,
            "list.txt:2: the last line \"splash.png\" has no line break after it, not used\n");
  EXPECT_EQ(ReadIndex("", AssetKind::Fonts).report, "list.txt: lists no usable entries, no fonts loaded\n");
  EXPECT_EQ(ReadIndex("B.vert\n", AssetKind::Shaders).report,
            "list.txt:1: vertex shader without a fragment shader line after it, not used\n"
            "list.txt: lists no usable entries, no shaders loaded\n");
  // Sounds keep their whole line as the name; an empty line still asks for a file.
  const ReadResult sounds = ReadIndex("beep.ogg\n\n", AssetKind::Sounds);
  EXPECT_EQ(Names(sounds.entries), (std::vector<std::string>{"beep.ogg", ""}));
  EXPECT_EQ(sounds.entries.at(1).Path, "Audio/");
  EXPECT_EQ(sounds.report, "");
}

TEST(AssetIndex, AMissingIndexFileIsReportedAndYieldsNothing) {
  TempFolder dir;
  WorkingDirectory inside(dir.Path);
  WriteFileText(dir.Path / "textures" / "00_list_file.txt", "player.png\n");

  std::ostringstream report;
  EXPECT_TRUE(AssetIndex::ReadFile(AssetKind::Shaders, report).empty());
  EXPECT_NE(report.str().find("shaders/00_list_file.txt"), std::string::npos) << report.str();
  std::ostringstream quiet;
  EXPECT_EQ(Names(AssetIndex::ReadFile(AssetKind::Textures, quiet)), std::vector<std::string>{"player"});
  EXPECT_EQ(quiet.str(), "");
}

}  // namespace
}  // namespace Framework
