// The real executable on a run-time folder full of broken and missing files: it
// keeps running, names each file in one line, and those lines reach a pipe even
// though the game is killed.
#include "game/Startup.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

// What the game wrote (both streams, through one pipe) and how it ended.
struct GameRun {
  std::string Output;
  int Status = 0;
};

// Runs the game executable in `folder` until `line` has appeared in its output and
// `more` has passed (or a minute and a half without it), then kills it with SIGKILL
// and reads what is left in the pipe.
GameRun RunGameUntil(const std::filesystem::path& folder, const std::string& line, std::chrono::milliseconds more) {
  int out[2];
  if (::pipe(out) != 0) return {};
  const std::string game = std::string(TUMBRIX_GAME_DIR) + "/tumbrix";
  const std::string appData = (folder / "appdata").string();
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(out[1], STDERR_FILENO);
    ::close(out[0]);
    if (::chdir(folder.c_str()) != 0) ::_exit(2);
    ::setenv("APPDATA", appData.c_str(), 1);
    ::execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
    ::_exit(3);
  }
  ::close(out[1]);
  GameRun run;
  using Clock = std::chrono::steady_clock;
  Clock::time_point stopAt = Clock::now() + std::chrono::seconds(90);
  bool seen = false;
  char buffer[4096];
  for (pollfd wait{out[0], POLLIN, 0}; Clock::now() < stopAt;) {
    if (::poll(&wait, 1, 50) > 0) {
      const ssize_t got = ::read(out[0], buffer, sizeof buffer);
      if (got <= 0) break;  // the game has gone by itself
      run.Output.append(buffer, static_cast<std::size_t>(got));
    }
    if (!seen && run.Output.find(line) != std::string::npos) {
      seen = true;
      stopAt = Clock::now() + more;
    }
  }
  ::kill(child, SIGKILL);
  for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;) run.Output.append(buffer, static_cast<std::size_t>(got));
  ::close(out[0]);
  ::waitpid(child, &run.Status, 0);
  return run;
}

// The built run-time folder, file by file as links, in `folder`.
void LinkRunTimeFolder(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  const fs::path game(TUMBRIX_GAME_DIR);
  for (const auto& entry : fs::recursive_directory_iterator(game)) {
    const fs::path target = folder / fs::relative(entry.path(), game);
    if (entry.is_directory()) {
      fs::create_directories(target);
    } else if (entry.path().filename() != "tumbrix") {
      fs::create_symlink(entry.path(), target);
    }
  }
}

TEST(Startup, TheRealGameRunsOnBrokenAndMissingFilesAndNamesEachInOneLine) {
  namespace fs = std::filesystem;
  TempFolder folder("tumbrix-broken-game");
  LinkRunTimeFolder(folder.Path);
  const std::string png = ReadFileText(fs::path(TUMBRIX_GAME_DIR) / "textures/player.png");
  std::string huge = png;
  for (int at : {16, 20}) huge.replace(static_cast<std::size_t>(at), 4, std::string("\x00\x01\x86\xA0", 4));
  const std::pair<const char*, std::string> broken[] = {
      {"textures/splash.png", png.substr(0, png.size() / 2)},
      {"textures/player.png", "GIF89a" + png.substr(6)},
      {"textures/tumbrix-logo.png", ""},
      {"textures/credits.png", huge},
      {"shaders/Basic.frag", "#version 330 core\nthis does not compile\n"},
      {"Audio/beep.ogg", "not a sound"},
      {"saves/Save1.json", "{\"Factory\": {\"Game_Objects\": ["},
  };
  for (const auto& [path, bytes] : broken) {
    fs::remove(folder.Path / path);
    ASSERT_TRUE(WriteFileText(folder.Path / path, bytes)) << path;
  }
  for (const char* path : {"textures/KIV_cursor.png", "fonts/PressStart2P.ttf", "Audio/crash.ogg", "saves/Save0.json"}) {
    ASSERT_TRUE(fs::remove(folder.Path / path)) << path;
  }

  // Both splash screens are unreadable: the game must still reach the main menu, and
  // keep running there for a while, drawing the broken pictures it shows.
  const GameRun run = RunGameUntil(folder.Path, "going on to the main menu\n", std::chrono::seconds(3));
  EXPECT_TRUE(WIFSIGNALED(run.Status) && WTERMSIG(run.Status) == SIGKILL)
      << "the game ended by itself (status " << run.Status << "):\n" << run.Output;
  // A picture is read when first shown: the broken splash, logo and credits are
  // never on screen in this run, so only the pictures of the main menu are named.
  const char* const expected[] = {
      "textures/player.png: not a PNG image (wrong signature); the picture is drawn as a flat colour\n",
      "textures/KIV_cursor.png: cannot open the file; the picture is drawn as a flat colour\n",
      "shaders/Basic.vert + shaders/Basic.frag: the \"Basic\" program did not build; what it draws is drawn as a flat colour\n",
      "ERROR::FREETYPE: Failed to load font fonts/PressStart2P.ttf (no such file), text is not drawn\n",
      "Audio/crash.ogg: cannot load the sound (",
      "Audio/beep.ogg: cannot load the sound (",
      "Could not open saves/Save0.json: No such file or directory\n",
      "Level slot 0 cannot be read: going on to the next splash screen\n",
      "Could not parse saves/Save1.json: ",
      "Level slot 1 cannot be read: going on to the main menu\n",
  };
  for (const char* line : expected) EXPECT_NE(run.Output.find(line), std::string::npos) << line << "\nin:\n" << run.Output;
  // The main-menu world loaded after that.
  EXPECT_NE(run.Output.find("Game loaded\n", run.Output.find("going on to the main menu")), std::string::npos)
      << run.Output;
}

}  // namespace
}  // namespace Framework
