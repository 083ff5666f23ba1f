// ScopedAudioFolder: runs a test inside a fresh working directory whose
// "Audio/" folder holds a list file of the test's choosing (and, on request,
// copies of the game's generated sounds). Restores the old directory after.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace Framework {

class ScopedAudioFolder {
 public:
  // `listText` is written byte for byte; nullptr writes no list file at all.
  explicit ScopedAudioFolder(const char* listText, const std::vector<std::string>& copiedSounds = {})
      : previous_(std::filesystem::current_path()) {
    root_ = std::filesystem::temp_directory_path() /
            ("tumbrix-audio-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "Audio");
    for (const std::string& name : copiedSounds) {
      std::filesystem::copy_file(std::filesystem::path(TUMBRIX_GAME_DIR) / "Audio" / name, root_ / "Audio" / name);
    }
    if (listText) {
      std::ofstream(root_ / "Audio" / "00_list_file.txt", std::ios::binary) << listText;
    }
    std::filesystem::current_path(root_);
  }
  ~ScopedAudioFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScopedAudioFolder(const ScopedAudioFolder&) = delete;
  ScopedAudioFolder& operator=(const ScopedAudioFolder&) = delete;

 private:
  static inline int counter_ = 0;
  std::filesystem::path previous_;
  std::filesystem::path root_;
};

}  // namespace Framework
