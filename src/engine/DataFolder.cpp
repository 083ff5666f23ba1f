#include "engine/DataFolder.h"

#include <SDL.h>

#include <iostream>
#include <memory>
#include <system_error>

namespace Framework {

namespace fs = std::filesystem;

std::optional<fs::path> FindDataFolder(const fs::path& workingFolder, const fs::path& executableFolder) {
  std::error_code error;
  for (const fs::path& candidate : {workingFolder, executableFolder, executableFolder / kInstalledDataFolder}) {
    if (candidate.empty()) continue;
    if (fs::is_regular_file(candidate / kDataMarker, error)) return fs::weakly_canonical(candidate, error);
  }
  return std::nullopt;
}

void EnterDataFolder() {
  std::error_code error;
  const fs::path working = fs::current_path(error);
  // SDL knows the executable's folder on every platform it supports.
  const std::unique_ptr<char, decltype(&SDL_free)> base(SDL_GetBasePath(), SDL_free);
  const fs::path executable = base ? fs::path(base.get()) : fs::path();
  const std::optional<fs::path> folder = FindDataFolder(working, executable);
  if (!folder) {
    std::cout << "No run-time folder found (looked for " << kDataMarker << " in " << working << " and beside "
              << executable << "): starting without assets" << std::endl;
    return;
  }
  if (*folder != working) fs::current_path(*folder, error);
  if (error) std::cout << "Cannot enter the run-time folder " << *folder << ": " << error.message() << std::endl;
}

}  // namespace Framework
