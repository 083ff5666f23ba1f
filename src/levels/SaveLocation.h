// SaveLocation: where the autosave lives. APPDATA wins when set (Windows, and a
// handy override for tests); elsewhere the platform's user data directory
// ($XDG_DATA_HOME, else ~/.local/share). The game's own folder "Tumbrix" sits
// under that base and is created when missing.
// Invariant: the returned path always ends in "Tumbrix" / "autosave.json".
#pragma once

#include <filesystem>
#include <functional>

namespace Framework {

// Reads one environment variable; null when unset. Tests pass their own.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The base directory the "Tumbrix" folder goes in, chosen from the environment.
std::filesystem::path SaveBaseDirectory(const EnvironmentLookup& lookup);

// The full autosave path; creates base / "Tumbrix" when missing (a failure to
// create it is left for the first save to report).
std::filesystem::path AutosaveFilePath(const EnvironmentLookup& lookup);

// The process environment.
const char* ProcessEnvironment(const char* name);

}  // namespace Framework
