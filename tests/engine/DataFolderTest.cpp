// Finding the run-time folder from a build tree, an installed prefix and a
// desktop launcher started in some unrelated folder.
#include "engine/DataFolder.h"

#include <gtest/gtest.h>

#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

namespace fs = std::filesystem;

TEST(DataFolder, FoundInTheWorkingFolderBesideTheExecutableOrInTheInstalledPrefix) {
  TempFolder root("tumbrix-data");
  const fs::path build = root.Path / "build" / "game";
  const fs::path prefix = root.Path / "prefix";
  const fs::path elsewhere = root.Path / "home";
  fs::create_directories(elsewhere);
  fs::create_directories(prefix / "bin");
  ASSERT_TRUE(WriteFileText(build / kDataMarker, "Basic.vert\n"));
  ASSERT_TRUE(WriteFileText(prefix / "share" / "tumbrix" / kDataMarker, "Basic.vert\n"));

  // Run from the build's run-time folder, as the build and the tests do.
  EXPECT_EQ(FindDataFolder(build, fs::path("/nonexistent")), fs::weakly_canonical(build));
  // The build's executable started from anywhere else.
  EXPECT_EQ(FindDataFolder(elsewhere, build), fs::weakly_canonical(build));
  // The installed executable started by a desktop launcher in the home folder.
  EXPECT_EQ(FindDataFolder(elsewhere, prefix / "bin"), fs::weakly_canonical(prefix / "share" / "tumbrix"));
  // A folder with a shaders/ folder but no index is not taken.
  fs::create_directories(elsewhere / "shaders");
  EXPECT_EQ(FindDataFolder(elsewhere, fs::path()), std::nullopt);
  EXPECT_EQ(FindDataFolder(fs::path(), fs::path()), std::nullopt);
}

}  // namespace
}  // namespace Framework
