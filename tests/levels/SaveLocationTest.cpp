#include "levels/SaveLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

EnvironmentLookup Environment(std::map<std::string, std::string> variables) {
  return [variables = std::move(variables)](const char* name) -> const char* {
    auto it = variables.find(name);
    return it == variables.end() ? nullptr : it->second.c_str();
  };
}

TEST(SaveLocationTest, AppDataWinsThenXdgDataHomeThenTheHomeFolder) {
  EXPECT_EQ(SaveBaseDirectory(Environment({{"APPDATA", "/a"}, {"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}})),
            std::filesystem::path("/a"));
  EXPECT_EQ(SaveBaseDirectory(Environment({{"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}})), std::filesystem::path("/x"));
  EXPECT_EQ(SaveBaseDirectory(Environment({{"HOME", "/h"}})), std::filesystem::path("/h/.local/share"));
  // Empty values count as unset, and a relative XDG_DATA_HOME is not valid.
  EXPECT_EQ(SaveBaseDirectory(Environment({{"APPDATA", ""}, {"XDG_DATA_HOME", "rel"}, {"HOME", "/h"}})),
            std::filesystem::path("/h/.local/share"));
  EXPECT_EQ(SaveBaseDirectory(Environment({})), std::filesystem::path("."));
}

TEST(SaveLocationTest, AutosavePathEndsInTheGameFolderWhichIsCreated) {
  TempFolder dir;
  const std::string base = dir.File("data home");
  const auto path = AutosaveFilePath(Environment({{"XDG_DATA_HOME", base}}));
  EXPECT_EQ(path, std::filesystem::path(base) / "Tumbrix" / "autosave.json");
  EXPECT_TRUE(std::filesystem::is_directory(path.parent_path()));
  // An existing folder is fine; one that cannot be made is left for the save to report.
  EXPECT_EQ(AutosaveFilePath(Environment({{"XDG_DATA_HOME", base}})), path);
  WriteFileText(dir.File("file"), "x");
  const auto blocked = AutosaveFilePath(Environment({{"APPDATA", dir.File("file")}}));
  EXPECT_EQ(blocked, std::filesystem::path(dir.File("file")) / "Tumbrix" / "autosave.json");
  EXPECT_FALSE(std::filesystem::exists(blocked.parent_path()));
}

}  // namespace
}  // namespace Framework
