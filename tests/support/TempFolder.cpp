#include "support/TempFolder.h"

#include <unistd.h>

#include <atomic>

namespace Framework {
namespace {

std::filesystem::path FreshPath(const std::string& tag) {
  static std::atomic<int> count{0};
  return std::filesystem::temp_directory_path() /
         (tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(count++));
}

}  // namespace

TempFolder::TempFolder(const std::string& tag) : Path(FreshPath(tag)) {
  std::filesystem::remove_all(Path);
  std::filesystem::create_directories(Path);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(Path, ignored);
}

WorkingDirectory::WorkingDirectory(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

WorkingDirectory::~WorkingDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

}  // namespace Framework
