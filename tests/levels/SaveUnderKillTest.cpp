// Saves under kill: a game process playing a real level saves the autosave over
// and over (Checkpoint and SaveGame commands, through the event system) and is
// killed with SIGKILL at a random moment. Afterwards the autosave must be exactly
// the file of the last save that began or of the one before it (the complete new
// or the complete old file), and it must load. TUMBRIX_SAVE_KILL_TRIALS sets the
// number of kills (a handful by default; hundreds for a thorough run).
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "levels/JsonFile.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "support/Files.h"
#include "support/Scenario.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

constexpr int kDefaultTrials = 12;
constexpr int kPlayedSlot = 13;
// Kills land anywhere in this span after the first save; one save of a level takes
// a few milliseconds, so the span covers many saves and every part of one.
constexpr int kLatestKillMicroseconds = 40000;
// Saves between two frames of play. A frame costs more than a save, so with one
// frame per save most kills would land in play; a few saves per frame put most of
// the process's time, and so most kills, inside a save, while the world still
// changes often enough that the old and the new file differ.
constexpr std::uint64_t kSavesPerFrame = 4;

std::uint64_t Fingerprint(const std::string& text) {
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

int Trials() {
  const char* text = std::getenv("TUMBRIX_SAVE_KILL_TRIALS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : kDefaultTrials;
}

// The child's life: play, save, play, save, ... until killed. Before each save's
// text reaches the disk its fingerprint goes to the log (unbuffered), so the log
// always names every save that began.
[[noreturn]] void SaveUntilKilled(Scenario& game, int logFd, int readyFd) {
  Serialization& levels = Serialization::Instance();
  levels.WriteText = [logFd](std::ostream& out, const std::string& text) {
    const std::string line = std::to_string(Fingerprint(text)) + "\n";
    if (::write(logFd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) ::_exit(3);
    return static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())));
  };
  for (std::uint64_t save = 0;; ++save) {
    if (save % kSavesPerFrame == 0) game.RunFrames(1);
    auto event = std::make_unique<SerializationEvent>();
    event->Command = save % 2 == 0 ? SerializationCommand::Checkpoint : SerializationCommand::SaveGame;
    event->FileName = levels.AutosavePath;
    EventSystem::Instance().Post(std::move(event));
    EventSystem::Instance().Update(0.0f, false);
    if (save == 0 && ::write(readyFd, "r", 1) != 1) ::_exit(4);
  }
}

std::vector<std::uint64_t> LoggedSaves(const std::string& path) {
  std::istringstream lines(ReadFileText(path));
  std::vector<std::uint64_t> saves;
  for (std::uint64_t value = 0; lines >> value;) saves.push_back(value);
  return saves;
}

TEST(SaveUnderKill, TheAutosaveIsAlwaysTheWholeOldOrWholeNewFileAndLoads) {
  TempFolder dir("tumbrix-kill");
  Scenario game;
  ASSERT_TRUE(game.LoadLevelFile("saves/Save" + std::to_string(kPlayedSlot) + ".json", kPlayedSlot));
  Serialization& levels = Serialization::Instance();
  const std::string autosave = levels.AutosavePath;
  const std::string log = dir.File("saves.log");
  std::mt19937 random(24);
  std::uniform_int_distribution<int> killAfter(0, kLatestKillMicroseconds);

  const int trials = Trials();
  for (int trial = 0; trial < trials; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
    int ready[2];
    ASSERT_GE(logFd, 0);
    ASSERT_EQ(::pipe(ready), 0);
    std::cout.flush();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      SaveUntilKilled(game, logFd, ready[1]);
    }
    ::close(logFd);
    ::close(ready[1]);
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1) << "the game never finished its first save";
    ::close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(killAfter(random)));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the game ended by itself: " << status;

    const std::vector<std::uint64_t> begun = LoggedSaves(log);
    ASSERT_FALSE(begun.empty());
    const std::uint64_t found = Fingerprint(ReadFileText(autosave));
    const bool isNew = found == begun.back();
    const bool isOld = begun.size() >= 2 && found == begun[begun.size() - 2];
    EXPECT_TRUE(isNew || isOld) << "the autosave is neither of the last two saves begun (" << begun.size() << ")";

    Json::Value document;
    ASSERT_TRUE(JsonFile::Read(autosave, document));
    const std::size_t saved = document["Factory"]["Game_Objects"].size();
    EXPECT_GT(saved, 0u);
    ASSERT_TRUE(levels.Load(autosave));
    EXPECT_GE(Factory::Instance().Objects.size(), saved);
  }
}

}  // namespace
}  // namespace Framework
