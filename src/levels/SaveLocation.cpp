#include "levels/SaveLocation.h"

#include <cstdlib>
#include <system_error>

namespace Framework {

namespace {

const char* NonEmpty(const EnvironmentLookup& lookup, const char* name) {
  const char* value = lookup ? lookup(name) : nullptr;
  return (value && *value) ? value : nullptr;
}

}  // namespace

const char* ProcessEnvironment(const char* name) { return std::getenv(name); }

std::filesystem::path SaveBaseDirectory(const EnvironmentLookup& lookup) {
  if (const char* appData = NonEmpty(lookup, "APPDATA")) return std::filesystem::path(appData);
  // A relative XDG_DATA_HOME is invalid by the XDG rules and is ignored.
  if (const char* xdg = NonEmpty(lookup, "XDG_DATA_HOME"); xdg && std::filesystem::path(xdg).is_absolute()) {
    return std::filesystem::path(xdg);
  }
  if (const char* home = NonEmpty(lookup, "HOME")) return std::filesystem::path(home) / ".local" / "share";
  // No home at all (a bare service account): keep the save beside the game.
  return std::filesystem::path(".");
}

std::filesystem::path AutosaveFilePath(const EnvironmentLookup& lookup) {
  const std::filesystem::path folder = SaveBaseDirectory(lookup) / "Tumbrix";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder / "autosave.json";
}

}  // namespace Framework
